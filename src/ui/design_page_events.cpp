// Handlers of the Design it Yourself page. The page's behaviour is added with the design
// steps; until then the handlers exist with empty bodies so that every binding is in place.
#include "ui/main_window.h"

namespace velmora {

void TForm1::DesignSheetEnter() {}
void TForm1::EditStep3PistonDiamChange() {}
void TForm1::EditStep3PistonStrokeChange() {}
void TForm1::EditStep5DispDiamChange() {}
void TForm1::EditStep5DispStrokeChange() {}
void TForm1::UsePistonDiamStrokeButtonClick() {}
void TForm1::UseDispDiamStrokeButtonClick() {}
void TForm1::UseRodDiamButtonClick() {}
void TForm1::IncreaseSchmidtPowerButtonClick() {}

}  // namespace velmora
