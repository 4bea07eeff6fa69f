// The reader's codes in words, for the lists a user reads to mend a file.

#include <string>

#include "Upgnread/movetext.h"
#include "Upgnread/pgnscan.h"
#include "Upgnread/readrecord.h"
#include "uchess/jurnal.h"

namespace {

const char* tagReason(int reason) {
  switch (reason) {
    case kNoTags:
      return "no readable tag in the tag section";
    case kTagControlChar:
      return "control character inside a tag value";
    case kDuplicateTag:
      return "two tags with the same name";
    case kBadSetUp:
      return "SetUp tag neither \"0\" nor \"1\"";
    case kSetUpWithoutFen:
      return "SetUp \"1\" and FEN tags do not go together";
    case kNoTagName:
      return "tag without a name";
    case kNoOpeningQuote:
      return "tag value without its opening quote";
    case kValueNotClosed:
      return "tag value not closed";
    case kNoClosingBracket:
      return "tag without its closing \"]\"";
    case kEndInTags:
      return "end of the file inside or right after the tag section";
    case kBrokenTagLine:
      return "broken tag line";
    default:
      return nullptr;
  }
}

const char* fenReason(int reason) {
  switch (reason) {
    case kFenEarlyEnd:
      return "FEN ends too early";
    case kFenRankOverflow:
      return "FEN rank longer than eight squares";
    case kFenBadPiece:
      return "FEN with an unknown piece letter";
    case kFenNoSlash:
      return "FEN rank not followed by \"/\"";
    case kFenNoSpace:
      return "FEN field not followed by a space";
    case kFenBadSide:
      return "FEN side to move neither \"w\" nor \"b\"";
    case kFenBadCastling:
      return "FEN castling field not readable";
    case kFenBadEnPassantFile:
      return "FEN en-passant file not a to h";
    case kFenBadEnPassantRank:
      return "FEN en-passant rank neither 3 nor 6";
    default:
      return nullptr;
  }
}

const char* moveReason(int reason) {
  switch (reason) {
    case kBadMoveNumber:
      return "move number does not fit";
    case kResultContradictsMark:
      return "result contradicts a mate mark or a stalemate";
    case kMoveAfterGameEnd:
      return "move after a mate mark or a stalemate";
    case kNoPieceCanMove:
      return "illegal move";
    case kAmbiguousPieceMove:
      return "ambiguous move";
    case kCaptureMismatch:
      return "capture mark does not match the move";
    case kPromotionPieceMissing:
      return "pawn reaches the last rank without a promotion piece";
    case kVariationsTooDeep:
      return "variations nested too deep";
    case kEndAfterMoveNumber:
      return "end of the file after a move number";
    case kMalformedMove:
      return "malformed move";
    case kMalformedCastling:
      return "malformed castling";
    case kGlyphTooLarge:
      return "annotation glyph above $255";
    case kUnexpectedToken:
      return "unexpected text in the moves";
    case kUnclosedVariation:
      return "variation not closed";
    case kVariationAfterVariation:
      return "\"(\" directly after \"(\"";
    default:
      return nullptr;
  }
}

}  // namespace

std::string readReasonText(int reason, TReadPhase phase) {
  const char* text = nullptr;
  switch (phase) {
    case TReadPhase::between:
      if (reason == kNoGameStart) text = "text where a game should begin";
      break;
    case TReadPhase::tags:
      text = tagReason(reason);
      break;
    case TReadPhase::fen:
      text = fenReason(reason);
      break;
    case TReadPhase::moves:
      text = moveReason(reason);
      break;
  }
  if (text) return text;
  return "reader code " + std::to_string(reason);
}

int64_t skippedBytes(const TReadRecord& record) {
  int64_t bytes = 0;
  for (const TSkippedText& stretch : record.skipped) bytes += stretch.length;
  return bytes;
}
