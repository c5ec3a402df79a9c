#pragma once
// Runs work once a window has been drawn for the first time.
#include <functional>

class QWidget;

// Calls `work` once, from the event loop, right after the first expose of `window` has been
// handled (the backing store is painted and flushed while that expose is delivered). A window
// that is not shown, or a platform that never exposes it, gets `work` after `fallbackMs`.
void runAfterFirstFrame(QWidget *window, std::function<void()> work, int fallbackMs = 500);
