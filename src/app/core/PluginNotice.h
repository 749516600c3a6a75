#pragma once

// The notice of the picture plug-ins that the start-up search did not load.

namespace kyrovane {

class TSPIs;
class UiPort;

// One warning naming each plug-in passed over and why; nothing when there is none.
void ShowPassedOverPlugins(UiPort& Ui, const TSPIs& Plugins);

}  // namespace kyrovane
