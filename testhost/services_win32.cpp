#include "services_win32.h"

#include "buttons_win32.h"
#include "commands_win32.h"
#include "gameservices_win32.h"
#include "hostvalues_win32.h"
#include "modal_win32.h"
#include "optionbox_win32.h"
#include "panels_win32.h"

bool hostSupportsPlugins = true;

namespace {

std::vector<std::string> asked;
size_t askedAtStartReturn = 0;
bool startReturned = false;

// 10003 is asked and never called; whatever calls it anyway gets a harmless 0.
intptr_t VORLEN_CALL unusedService() {
  return 0;
}

template <class TFunction>
intptr_t address(TFunction function) {
  return reinterpret_cast<intptr_t>(function);
}

intptr_t gameService(intptr_t service) {
  switch (service) {
    case kServiceLineText:
      return hostSupportsPlugins ? address(&lineTextService) : 0;
    case kServiceEnterVariation:
      return address(&enterVariationService);
    case kServiceLeaveVariation:
      return address(&leaveVariationService);
    case kServiceMoveRecord:
      return address(&moveRecordService);
    case kServiceSetPosition:
      return address(&setPositionService);
    case kServiceInVariation:
      return address(&inVariationService);
    case kServiceLineMoveCount:
      return address(&lineMoveCountService);
    case kServiceCurrentMove:
      return address(&currentMoveService);
    case kServicePlyNumber:
      return address(&moveNumberService);
    case kServiceResultText:
      return address(&resultTextService);
    case kServiceSelectGame:
      return address(&selectGameService);
    default:
      return 0;
  }
}

}  // namespace

intptr_t VORLEN_CALL hostLookup(intptr_t service) {
  noteEvent(std::to_string(service));
  switch (service) {
    case kServiceCreatePanel:
      return address(&createPanelService);
    case kServiceModalWindow:
      return address(&modalWindowService);
    case kServiceDefaultProc:
      return address(&defaultProcService);
    case kServicePaintBackground:
      return address(&paintBackgroundService);
    case kServiceOptionControl:
      return address(&optionControlService);
    case kServiceButtonFace:
      return address(&buttonFaceService);
    case kServiceWindows:
      return address(&hostWindowsService);
    case kServiceValues:
      return address(&hostValuesService);
    case kServiceUnused:
      return address(&unusedService);
    case kServiceRegisterCommand:
      return address(&registerCommandService);
    case kServiceState:
      return address(&hostStateService);
    case kServicePrepareButton:
      return address(&prepareButtonService);
    case kServicePrepareCaptionButton:
      return address(&prepareCaptionButtonService);
    default:
      return gameService(service);
  }
}

void noteSecondLevel(intptr_t service, intptr_t value) {
  noteEvent(std::to_string(service) + "/" + std::to_string(value));
}

// The log is for the start and a few commands; a plug-in that asks on every paint must not make
// it grow without end.
void noteEvent(const std::string& event) {
  constexpr size_t kLogLimit = 20000;
  if (asked.size() < kLogLimit) asked.push_back(event);
}

const std::vector<std::string>& serviceLog() {
  return asked;
}

void markStartReturned() {
  if (startReturned) return;
  startReturned = true;
  askedAtStartReturn = asked.size();
  hostStore.lockAsksAtStart = hostStore.lockAsks;
}

size_t startLogLength() {
  return startReturned ? askedAtStartReturn : asked.size();
}
