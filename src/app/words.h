#pragma once
// The main window in words: each control's tooltip, and the name and value a screen reader
// reads. The art carries no text, so this is the only place where the controls say what
// they do.

#include "core/context.h"

namespace velto {

/// Describes every control of the main window; the hot spots must have been placed.
void DescribeControls(const Ctx& c);

/// "1 minute", "5 minutes".
QString Minutes(int n);

} // namespace velto
