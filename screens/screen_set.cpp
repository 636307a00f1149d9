#include "screen_set.h"

#include "frmCompareCores.h"
#include "frmDirections.h"
#include "frmEnter.h"
#include "frmInductanceCurve.h"
#include "frmIntermediateOutput.h"
#include "frmResult.h"
#include "frmXls.h"
#include "screen_registry.h"

namespace coredesign::gui {
namespace {

template <class T>
void Install(ScreenRegistry& registry) {
    registry.SetFactory(T::kScreen, [](ScreenRegistry& r) -> QWidget* { return &r.Get<T>(); });
}

}  // namespace

void InstallScreens(ScreenRegistry& registry) {
    Install<frmEnter>(registry);
    Install<frmXls>(registry);
    Install<frmResult>(registry);
    Install<frmIntermediateOutput>(registry);
    Install<frmDirections>(registry);
    Install<frmCompareCores>(registry);
    Install<frmInductanceCurve>(registry);
}

}  // namespace coredesign::gui
