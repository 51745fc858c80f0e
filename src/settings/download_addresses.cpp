// Host names of the download sites. Every address uses https.
#include "settings/download_addresses.h"

#include "common/text.h"

#ifndef TX3_UPDATE_HOST
#error "TX3_UPDATE_HOST (the update server's host name) must be defined by the build"
#endif

namespace tx3 {

namespace {

constexpr std::string_view kConverterSite = "https://www.dbpoweramp.com";
constexpr std::string_view kDatabaseVendorSite = "https://esd.actian.com";
// The update server is chosen when the suite is built (CMake cache variable TX3_UPDATE_HOST).
constexpr std::string_view kUpdateServer = "https://" TX3_UPDATE_HOST;
constexpr std::string_view kReleaseFolder = "/TX/Releases/TX_34/";

std::string Join(std::string_view a, std::string_view b, std::string_view c = {}) {
  std::string s(a);
  s.append(b).append(c);
  return s;
}

}  // namespace

std::string CodecPageAddress() {
  return Join(kConverterSite, "/codec-central.htm");
}

std::string ConverterInstallerAddress(std::string_view file) {
  return Join(kConverterSite, "/install/", file);
}

std::string DatabaseVendorPageAddress(int page, std::string_view query) {
  return Join(kDatabaseVendorSite, "/download/index/", ToText(page)) + std::string(query);
}

std::string UpdateServerAddress(std::string_view file) {
  return Join(kUpdateServer, kReleaseFolder, file);
}

}  // namespace tx3
