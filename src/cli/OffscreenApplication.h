// Drawing text needs a QGuiApplication; without a display it runs on the offscreen platform.
#pragma once

#include <QGuiApplication>

#include <memory>

// A new application when the process has none yet; otherwise nothing.
std::unique_ptr<QGuiApplication> OffscreenApplication();
