#pragma once
// Single-line fields hold one line: a pasted line break or tab becomes a blank,
// so the line-based files written later stay whole.

class QLineEdit;

namespace morvanta::platform {

void KeepOnOneLine(QLineEdit* edit);

}  // namespace morvanta::platform
