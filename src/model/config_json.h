#pragma once
// The JSON form of a whole configuration: a readable, diffable companion of the .zkt file
// that people keep in version control and edit by hand. Every field of the three record
// types appears under its model name; flags are JSON booleans, everything else integers. A
// manual's name and a piston's label lead their object as "name" and "label" where there is one.

#include "model/config_json_error.h"
#include "model/config_model.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace zkt {

// Manuals 1..numberOfManuals of model, fields in the order of the model's records.
nlohmann::ordered_json configurationToJson(const ConfigModel& model);

// The exported file's text: that JSON with each piston's description after its fields, for
// the reader (the import ignores it), indented by two, ending in a line end.
std::string configurationExportText(const ConfigModel& model);

// Builds a model from JSON, starting from the start-up state: a missing key keeps its
// default. Rejects unknown keys, wrong types, values outside their field's type, and values
// that the image cannot carry without turning into something else; whatever it accepts, the
// encoder can write. A piston may carry a "description" for the reader, which is ignored.
// Throws ConfigJsonError.
ConfigModel configurationFromJson(const nlohmann::json& document);

// Parses text first; a syntax error is reported with its byte position, a key given twice
// in one object with the object's path.
ConfigModel configurationFromJsonText(std::string_view text);

} // namespace zkt
