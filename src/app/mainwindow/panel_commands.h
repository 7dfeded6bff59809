#pragma once
// What the context menus of a piston button and of a keyboard picture offer besides "Edit…".

namespace zkt {

enum class PistonCommand { copy, paste, clear };

enum class ManualCommand { copySettings, pasteSettings, copyManual, pasteManual };

} // namespace zkt
