#include "hostargs_logic.h"

#include "script_logic.h"

namespace {

struct TTextOption {
  std::u16string_view name;
  std::u16string THostArgs::*field;
};

constexpr TTextOption kTextOptions[] = {
    {u"--dll", &THostArgs::dll},
    {u"--script", &THostArgs::script},
    {u"--games", &THostArgs::games},
    {u"--dump-dir", &THostArgs::dumpDir},
};

struct TFlagOption {
  std::u16string_view name;
  bool THostArgs::*field;
};

constexpr TFlagOption kFlagOptions[] = {
    {u"--no-support", &THostArgs::noSupport},
    {u"--tags-only", &THostArgs::tagsOnly},
    {u"--screenshots", &THostArgs::screenshots},
    {u"--wheel-by-page", &THostArgs::wheelByPage},
    {u"--panel-record-bytes", &THostArgs::panelRecordBytes},
};

bool readDpi(const std::u16string& text, int32_t& dpi) {
  if (text.empty() || text.size() > 4) return false;
  dpi = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    dpi = dpi * 10 + (c - u'0');
  }
  return dpi > 0;
}

bool isFlag(const std::u16string& arg, THostArgs& parsed) {
  for (const TFlagOption& option : kFlagOptions)
    if (arg == option.name) {
      parsed.*option.field = true;
      return true;
    }
  return false;
}

}  // namespace

bool parseHostArgs(const std::vector<std::u16string>& args, THostArgs& parsed, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::u16string& arg = args[i];
    if (isFlag(arg, parsed)) continue;
    std::u16string* value = nullptr;
    for (const TTextOption& option : kTextOptions)
      if (arg == option.name) value = &(parsed.*option.field);
    const bool isDpi = arg == u"--dpi";
    if (value == nullptr && !isDpi) {
      if (!arg.empty() && arg[0] != u'-' && parsed.games.empty()) {
        parsed.games = arg;
        continue;
      }
      error = "unknown argument '" + utf16ToUtf8(arg) + "'";
      return false;
    }
    if (i + 1 >= args.size()) {
      error = utf16ToUtf8(arg) + " needs a value";
      return false;
    }
    const std::u16string& next = args[++i];
    if (value)
      *value = next;
    else if (!readDpi(next, parsed.dpi)) {
      error = "--dpi needs a positive number";
      return false;
    }
  }
  return true;
}
