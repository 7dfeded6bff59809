#pragma once
// The question asked before a command would replace or close a configuration that has
// changes no file holds yet, in the document's words (document/document_texts.h).

#include "document/document_texts.h"

class QWidget;

namespace zkt {

enum class UnsavedChangesAnswer { save, discard, cancel };

// "Save changes to organ.zkt before closing?" with Save (the default), Discard and Cancel
// (also Escape).
UnsavedChangesAnswer askToSaveChanges(QWidget* owner, const documenttext::UnsavedChangesQuestion& question);

} // namespace zkt
