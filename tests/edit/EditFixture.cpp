#include "edit/EditFixture.h"

#include "calc/Recalc.h"

namespace edittest {

bool formulaEngineReady()
{
    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::ResetSheetState(app);
    app.sheet.CellText[1][1] = QStringLiteral("=1+2");
    app.sheet.LastCol = 1;
    app.sheet.LastRow = 1;
    calc::RecalcAll(app);
    return app.sheet.CellValue[1][1] == 3;
}

} // namespace edittest
