#pragma once

#include "engine/OutputKind.h"

#include <string>
#include <string_view>

// --template and --template-file: the template read (or refused, with the column of the place),
// added as a kind named "template" ("template-2" and on when one is given again).
TOutputKind ParseTemplate(std::string_view option, std::string_view text);
// The template in a file (UTF-8, one line end at its end not part of it).
TOutputKind ReadTemplateFile(std::string_view option, const std::string& name);
