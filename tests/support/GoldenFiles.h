// The example inputs with their committed reports (Data/ and tests/fixtures/golden/).
#pragma once

#include <string>
#include <vector>

// Every *.inp of both folders, sorted; each has its report beside it.
std::vector<std::string> GoldenInputs();
// A test name made of the folder and stem of `path`.
std::string GoldenTestName(const std::string& path);
// `report` with the folder of the two file names on lines 13 and 14 replaced by `folder`.
std::string WithFolder(const std::string& report, const std::string& folder);
