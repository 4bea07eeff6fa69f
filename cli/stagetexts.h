#pragma once
// The stage texts of the progress line. The tool speaks English like its help and report; in a
// Russian locale it shows the plug-in's own Russian texts, which users of both know.

#include <cstdint>
#include <string>

// True when the locale variables name Russian: the first of LC_ALL, LC_MESSAGES and LANG that is
// set and not empty decides, as for any program's messages. Null stands for an unset variable.
bool namesRussian(const char* lcAll, const char* lcMessages, const char* lang);

// Whether the user's locale is Russian: the environment, and on Windows, when it sets none of
// the variables, the user's interface language.
bool russianLocale();

// The text of a stage (0 to 8) as UTF-8, in the language russianLocale() chose.
std::string stageText(uint8_t stage);
// The same in a language given.
std::string stageText(uint8_t stage, bool russian);
