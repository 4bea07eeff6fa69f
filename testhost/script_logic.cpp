#include "script_logic.h"

#include <charconv>

namespace {

struct TNamedCode {
  std::string_view name;
  int32_t code;
};

constexpr TNamedCode kKeys[] = {
    {"Backspace", 0x08}, {"Tab", 0x09},    {"Enter", 0x0D},  {"Shift", 0x10},  {"Ctrl", 0x11},
    {"Alt", 0x12},       {"Escape", 0x1B}, {"Space", 0x20},  {"PageUp", 0x21}, {"PageDown", 0x22},
    {"End", 0x23},       {"Home", 0x24},   {"Left", 0x25},   {"Up", 0x26},     {"Right", 0x27},
    {"Down", 0x28},      {"Insert", 0x2D}, {"Delete", 0x2E},
};

constexpr TNamedCode kAnswers[] = {
    {"OK", kAnswerOk},       {"Cancel", kAnswerCancel}, {"Abort", kAnswerAbort},
    {"Retry", kAnswerRetry}, {"Ignore", kAnswerIgnore}, {"Yes", kAnswerYes},
    {"No", kAnswerNo},
};

struct TActionName {
  std::string_view name;
  TActionKind kind;
};

constexpr TActionName kActions[] = {
    {"menu", TActionKind::menu},
    {"click", TActionKind::click},
    {"rclick", TActionKind::rightClick},
    {"mclick", TActionKind::modalClick},
    {"press", TActionKind::press},
    {"key", TActionKind::key},
    {"keydown", TActionKind::keyDown},
    {"keyup", TActionKind::keyUp},
    {"type", TActionKind::type},
    {"answer", TActionKind::answer},
    {"answer-file", TActionKind::answerFile},
    {"answer-folder", TActionKind::answerFolder},
    {"wait", TActionKind::wait},
    {"sleep", TActionKind::sleep},
    {"select", TActionKind::select},
    {"position", TActionKind::position},
    {"dump", TActionKind::dump},
    {"screenshot", TActionKind::screenshot},
    {"hide-panels", TActionKind::hidePanels},
    {"wheel", TActionKind::wheel},
    {"await", TActionKind::await},
    {"stop", TActionKind::stop},
};

constexpr int32_t kDefaultWaitSeconds = 60;
constexpr int32_t kDefaultAwaitSeconds = 30;

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

// Splits off the first word; the rest keeps its inner spaces.
std::string_view firstWord(std::string_view& text) {
  size_t end = text.find_first_of(" \t");
  std::string_view word = text.substr(0, end);
  text = end == std::string_view::npos ? std::string_view() : trimmed(text.substr(end));
  return word;
}

bool readNumber(std::string_view& text, int32_t& value) {
  std::string_view word = firstWord(text);
  if (word.empty()) return false;
  auto [end, code] = std::from_chars(word.data(), word.data() + word.size(), value);
  return code == std::errc() && end == word.data() + word.size();
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The typed text's escapes: \\, \t and \xHH (control characters such as Ctrl+A, \x01).
bool unescape(std::string_view text, std::string& out) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (i + 1 >= text.size()) return false;
    char next = text[++i];
    if (next == '\\')
      out += '\\';
    else if (next == 't')
      out += '\t';
    else if (next == 'x' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
             hexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

int32_t answerCode(std::string_view name) {
  for (const TNamedCode& answer : kAnswers)
    if (answer.name == name) return answer.code;
  return 0;
}

// Reads what follows the action's name; an empty result means the line is fine.
std::string readArguments(std::string_view rest, TScriptAction& action) {
  switch (action.kind) {
    case TActionKind::click:
    case TActionKind::rightClick:
    case TActionKind::modalClick:
      if (!readNumber(rest, action.x) || !readNumber(rest, action.y) || !rest.empty())
        return "expects two coordinates";
      return {};
    case TActionKind::key:
    case TActionKind::keyDown:
    case TActionKind::keyUp:
      action.x = keyCode(rest);
      return action.x == 0 ? "unknown key '" + std::string(rest) + "'" : std::string();
    case TActionKind::answer:
      action.x = answerCode(rest);
      if (!utf8ToUtf16(rest, action.text)) return "is not UTF-8";
      return action.x == 0 ? "unknown answer '" + std::string(rest) + "'" : std::string();
    case TActionKind::wait:
      action.x = kDefaultWaitSeconds;
      if (!rest.empty() && (!readNumber(rest, action.x) || action.x <= 0 || !rest.empty()))
        return "expects a number of seconds";
      return {};
    case TActionKind::wheel:
      if (!readNumber(rest, action.x) || action.x == 0 || action.x < -32768 || action.x > 32767 ||
          !rest.empty())
        return "expects a delta other than 0";
      return {};
    case TActionKind::sleep:
    case TActionKind::select:
      if (!readNumber(rest, action.x) || action.x < 0 || !rest.empty()) return "expects a number";
      return {};
    case TActionKind::position: {
      constexpr const char* kExpects = "expects a move, then pairs of a variation and a move";
      int32_t number = 0;
      while (!rest.empty()) {
        if (!readNumber(rest, number) || number < 0) return kExpects;
        action.numbers.push_back(number);
      }
      return action.numbers.size() % 2 == 0 ? kExpects : std::string();
    }
    case TActionKind::dump: {
      std::string_view name = firstWord(rest);
      if (name.empty()) return "expects a name";
      while (!rest.empty()) action.sections.emplace_back(firstWord(rest));
      return utf8ToUtf16(name, action.text) ? std::string() : "is not UTF-8";
    }
    case TActionKind::hidePanels:
    case TActionKind::stop:
      return rest.empty() ? std::string() : "takes no arguments";
    case TActionKind::await: {
      std::string_view name = firstWord(rest);
      if (name.empty() || name.find_first_of("\\/:") != std::string_view::npos)
        return "expects a file name";
      action.x = kDefaultAwaitSeconds;
      if (!rest.empty() && (!readNumber(rest, action.x) || action.x <= 0 || !rest.empty()))
        return "expects a number of seconds";
      return utf8ToUtf16(name, action.text) ? std::string() : "is not UTF-8";
    }
    case TActionKind::type: {
      std::string plain;
      if (!unescape(rest, plain)) return "has a bad escape";
      return utf8ToUtf16(plain, action.text) ? std::string() : "is not UTF-8";
    }
    default:  // menu, press, answer-file, answer-folder, screenshot: the rest of the line
      if (rest.empty()) return "expects a text";
      return utf8ToUtf16(rest, action.text) ? std::string() : "is not UTF-8";
  }
}

bool parseLine(std::string_view text, int line, std::vector<TScriptAction>& actions,
               std::string& error) {
  text = trimmed(text);
  if (text.empty() || text.front() == '#') return true;
  std::string_view name = firstWord(text);
  for (const TActionName& known : kActions) {
    if (known.name != name) continue;
    TScriptAction action;
    action.kind = known.kind;
    action.line = line;
    std::string problem = readArguments(text, action);
    if (!problem.empty()) {
      error = "line " + std::to_string(line) + ": " + std::string(name) + " " + problem;
      return false;
    }
    actions.push_back(std::move(action));
    return true;
  }
  error = "line " + std::to_string(line) + ": unknown action '" + std::string(name) + "'";
  return false;
}

// One code point from position i on; i moves past it.
bool decodeUtf8(std::string_view text, size_t& i, char32_t& code) {
  auto byte = static_cast<unsigned char>(text[i]);
  size_t extra = byte < 0x80         ? 0
                 : (byte >> 5) == 6  ? 1
                 : (byte >> 4) == 14 ? 2
                 : (byte >> 3) == 30 ? 3
                                     : 4;
  if (extra == 4 || extra > text.size() - 1 - i) return false;
  code = extra == 0 ? byte : byte & (0x3F >> extra);
  for (size_t k = 1; k <= extra; ++k) {
    auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return false;
    code = (code << 6) | (next & 0x3F);
  }
  i += extra + 1;
  return code < 0xD800 || (code > 0xDFFF && code <= 0x10FFFF);
}

}  // namespace

bool parseScript(std::string_view text, std::vector<TScriptAction>& actions, std::string& error) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  int line = 0;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view row = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!parseLine(row, ++line, actions, error)) return false;
  }
  return true;
}

int32_t keyCode(std::string_view name) {
  for (const TNamedCode& key : kKeys)
    if (key.name == name) return key.code;
  if (name.size() == 1 &&
      ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
    return name[0];
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
    int32_t n = 0;
    auto [end, code] = std::from_chars(name.data() + 1, name.data() + name.size(), n);
    if (code == std::errc() && end == name.data() + name.size() && n >= 1 && n <= 12)
      return 0x6F + n;
  }
  return 0;
}

bool utf8ToUtf16(std::string_view text, std::u16string& out) {
  for (size_t i = 0; i < text.size();) {
    char32_t code = 0;
    if (!decodeUtf8(text, i, code)) return false;
    if (code < 0x10000) {
      out.push_back(static_cast<char16_t>(code));
    } else {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
  }
  return true;
}

std::string utf16ToUtf8(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}
