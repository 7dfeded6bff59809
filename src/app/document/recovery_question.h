#pragma once
// The question at the start after the program ended without saving its changes.

#include "app/document/recovery_copy.h"

class QWidget;

namespace zkt {

enum class RecoveryAnswer { recover, discard };

// "Recover Unsaved Changes", naming the file the changes belonged to and when they were kept,
// with Recover (the default) and Discard. Escape, or closing the question, recovers: nothing is
// thrown away but on purpose.
RecoveryAnswer askToRecover(QWidget* owner, const UnsavedChanges& changes);

} // namespace zkt
