#pragma once

#include <QString>

// The text of --help above the options: the one place that lists the
// command's forms.
namespace HelpText {

QString Description();

} // namespace HelpText
