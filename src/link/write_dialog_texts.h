#pragma once
// The write dialog's words, in the current language: its title, the heading over the plan, the
// options and the buttons. '&' stands before a caption's access key.

#include <string>

namespace zkt {

struct WriteDialogTexts {
    std::string title;
    std::string planHeading;
    std::string backup;
    std::string everyManual;
    std::string verify;
    std::string verifyAll;
    std::string write;
    std::string cancel;
    std::string close;
    // Said in place of the plan when the chain is not read first.
    std::string notReadFirst;
};

WriteDialogTexts writeDialogTexts();

} // namespace zkt
