// Counting the stations named in the window.
#include "settings/station_list.h"

#include "common/text.h"

namespace tx3 {

int CountStations(SettingsWindow& window) {
  int n = 0;
  while (n < kStationCount && !Trim(window.TexteNomStation(n)).empty()) ++n;
  if (n == 0) {
    window.SetTexteNomStation(0, "Station 1");
    n = 1;
  }
  return n;
}

}  // namespace tx3
