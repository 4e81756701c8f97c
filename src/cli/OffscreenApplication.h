// The application object that fonts and drawings need, for commands without a window.
#pragma once

#include <QGuiApplication>

#include <memory>

// A QGuiApplication on the offscreen platform when the process has no application object yet
// (nothing otherwise), so that no display is needed.
std::unique_ptr<QGuiApplication> OffscreenApplication();
// True when the process's application object can draw (a QGuiApplication or more).
bool CanDraw();
