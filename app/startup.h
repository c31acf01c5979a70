#pragma once
// The window's start-up as main runs it, step by step, so that the start-up benchmark
// (bench/startup_probe) times the same steps.

#include <QCommandLineParser>
#include <memory>

namespace tarvenix {
class Capture;
}

// Before the application object: how the window is drawn and scaled. What it returns is
// to be kept until the application object exists.
std::shared_ptr<void> prepareApplication();

// Once the application object exists: its names, the window's options, the trace and the
// language of the pictures and messages.
void setUpApplication(QCommandLineParser &parser);

// The capture --record or TARVENIX_RECORD asks for; null when none is.
std::shared_ptr<tarvenix::Capture> startRecording(const QCommandLineParser &parser);
