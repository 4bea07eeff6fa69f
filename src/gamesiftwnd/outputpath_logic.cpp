#include "gamesiftwnd/outputpath_logic.h"

#include "plugin/panelstate_logic.h"

bool outputPathNeedsReset(const std::u16string& text) {
  return text != outputPath && autoResetSettings == 1;
}

void setOutputPath(const std::u16string& text) {
  outputPath = text;
}

std::u16string withoutExtension(const std::u16string& name) {
  const size_t last = name.find_last_of(u"./\\");
  if (last == std::u16string::npos || name[last] != u'.') return name;
  return name.substr(0, last);
}
