#pragma once
// The question asked before a command would replace or close a configuration that has
// changes no file holds yet.

#include <QString>

class QWidget;

namespace zkt {

enum class UnsavedChangesAnswer { save, discard, cancel };

// "Save changes to organ.zkt before closing?" with Save (the default), Discard and Cancel
// (also Escape). documentName may be empty; beforeWhat says what happens next ("closing").
UnsavedChangesAnswer askToSaveChanges(QWidget* owner, const QString& documentName, const QString& beforeWhat);

} // namespace zkt
