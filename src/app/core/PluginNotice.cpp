#include "app/core/PluginNotice.h"

#include <string>

#include "app/core/UiPort.h"
#include "plugins/SPIs.h"

namespace kyrovane {

void ShowPassedOverPlugins(UiPort& Ui, const TSPIs& Plugins) {
  if (Plugins.PassedOver.empty()) return;
  std::string text = "安全のため、次のプラグインを読み込みませんでした。";
  for (const TPassedOverSPI& plugin : Plugins.PassedOver) {
    text += "\r\n" + plugin.FileName.string() + "\r\n（" + plugin.Reason + "）";
  }
  Ui.MessageBox("Kyrovane", text, TMessageIcon::Warning, TMessageButtons::Ok);
}

}  // namespace kyrovane
