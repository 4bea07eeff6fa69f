#include "gamesiftwnd/outputchoice_logic.h"

std::u16string outputBaseOf(std::u16string_view fileName) {
  const size_t last = fileName.find_last_of(u"./\\");
  if (last != std::u16string_view::npos && fileName[last] == u'.')
    fileName = fileName.substr(0, last);
  return std::u16string(fileName);
}
