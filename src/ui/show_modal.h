#pragma once

#include <QDialog>

#include <functional>

namespace money {

// How a window shows one of its dialogs modally. Windows take it as a parameter, so that a test can
// drive the dialog's controls instead of entering its event loop.
using ShowModal = std::function<void(QDialog&)>;

inline void ExecModal(QDialog& dialog) { dialog.exec(); }

}  // namespace money
