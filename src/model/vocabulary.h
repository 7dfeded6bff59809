#pragma once
// The fixed display lists through which the user chooses what a piston, a channel or an
// analog input does. List position p (1-based in the editors) is element p - 1 here and
// stands for code p - 1 in the model and the program image.

#include "model/config_model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zkt {

using VocabularyList = std::vector<std::string>;

inline constexpr int larkmoorCaseCount = 50;
inline constexpr int numListCount = 20; // indices 0..19; 1..18 are filled

struct Vocabulary {
    VocabularyList controllerNames;    // element 0 = volumeControl true
    VocabularyList analogInputNames;   // element 0 = none, 1..3 = "Input 1".."Input 3"
    VocabularyList functionGroupNames; // by FunctionGroup code 0..14
    // Captions of the eight piston + key option bits of keyboardConfig, bit 0 first.
    VocabularyList keyboardOptionNames;

    // By FunctionGroup code 0..15; 0 and 15 stay empty. Element t is functionType t.
    std::array<VocabularyList, functionGroupCount + 1> functionLists;
    // Parallel to functionLists: the second byte of the piston's main entry for each type,
    // absent where the group sends something else (a program or note number).
    std::array<std::vector<std::optional<std::uint8_t>>, functionGroupCount + 1> functionCodeBytes;

    // NUM sub-lists of the LARKMOOR cases; element v of a list is NUM value v.
    std::array<VocabularyList, numListCount> numLists;
    // By FunctionGroup code; only the LARKMOOR entry is filled: CASE 0..49 -> index into numLists.
    std::array<std::vector<int>, functionGroupCount + 1> numListMap;
};

// In the current language: built the first time a language asks for it and never changed
// afterwards, so a list taken stays valid when the language changes. The codes are the same in
// every language.
const Vocabulary& vocabulary();

// Element value of list, or "" where it has none: images may carry codes beyond the lists.
const std::string& listEntry(const VocabularyList& list, int value);

} // namespace zkt
