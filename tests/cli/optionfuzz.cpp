#include "cli/optionfuzz.h"

#include <vector>

#include "Upgnread/options.h"
#include "cli/batchoptions.h"
#include "cli/commandline.h"
#include "cli/optiontexts.h"

namespace {

// A reader must either store a good value and say nothing, or leave the value and say why.
template <typename T>
std::string verdict(const std::string& message, const T& before, const T& after, bool inRange) {
  if (!message.empty()) return after == before ? std::string() : "a refused value was stored";
  return inRange ? std::string() : "an accepted value is out of its range";
}

std::string oneReader(char which, std::string_view text) {
  switch (static_cast<unsigned char>(which) % 6) {
    case 0: {
      uint8_t value = 99;
      const std::string message = readChoice(text, kEcoSplitChoices, value);
      return verdict(message, uint8_t{99}, value, value <= 3);
    }
    case 1: {
      int32_t value = -7;
      const std::string message = readNumber(text, 0, 10000, value);
      return verdict(message, -7, value, value >= 0 && value <= 10000);
    }
    case 2: {
      TNagSet marks = TNagSet::moveMarksOnly();
      const std::string message = readMarks(text, marks);
      return verdict(message, TNagSet::moveMarksOnly(), marks, true);
    }
    case 3: {
      uint8_t mask = 99;
      const std::string message = readResults(text, mask);
      return verdict(message, uint8_t{99}, mask, mask <= kResultAll);
    }
    case 4: {
      int32_t packed = -7;
      const bool upper = !text.empty() && (text.front() & 1);
      const std::string message = readDateBound(text, upper, packed);
      return verdict(message, -7, packed, packed >= 0 && packed <= kDateAnyAfter);
    }
    default: {
      std::string prefix = "?";
      const std::string message = readEcoPrefix(text, prefix);
      return verdict(message, std::string("?"), prefix, prefix.size() <= 3);
    }
  }
}

// The text cut at NUL bytes into the arguments of a whole command line.
std::string wholeLine(std::string_view text) {
  std::vector<std::string> words{"gamesift"};
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\0', start), text.size());
    words.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  resetOptions();
  TCommandLine line;
  const TParseOutcome outcome = parseCommandLine(words, line);
  if (outcome.run) applyEdits(line.edits);
  std::string problem;
  if (resultMask > kResultAll || tagMode > 2 || splitByEco > 3 || splitByDate > 3 ||
      whiteEloParts < 1 || blackEloParts < 1)
    problem = "the command line stored an option out of its range";
  resetOptions();
  return problem;
}

}  // namespace

std::string exerciseOptionValues(std::string_view bytes) {
  if (bytes.empty()) return {};
  const std::string_view text = bytes.substr(1);
  if (static_cast<unsigned char>(bytes.front()) >= 0xF0) return wholeLine(text);
  return oneReader(bytes.front(), text);
}
