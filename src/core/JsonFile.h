// JSON files the program writes (results of runs and studies): UTF-8 text made by nlohmann/json,
// numbers as the shortest text that reads back as the same double, never in the locale's format,
// written beside the target and put in its place only when complete.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <string>

// Keys keep the order they were added in.
using Json = nlohmann::ordered_json;

// A text of the program's single-byte (Latin-1) files in UTF-8, as JSON strings must be.
std::string JsonText(const std::string& latin1);

// Writes `value` indented, lines ending in CR LF as in every file the program writes. False, with
// `errorText` saying why, when the file cannot be written; the previous file then stays.
bool WriteJsonFile(const std::string& path, const Json& value, std::string& errorText);
