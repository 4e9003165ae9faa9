#pragma once

// The wait cursor for the lifetime of a scope: while a window is built or a table filled.

#include <QGuiApplication>

namespace telvarin {

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace telvarin
