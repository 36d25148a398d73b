#include "ui/wndmain.h"

void wndMain::popTemplate_Change(int row)
{
    Q_UNUSED(row);
    emit SettingChanged();
}
