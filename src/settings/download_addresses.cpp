// Host names of the download sites. Every address uses https.
#include "settings/download_addresses.h"

#include <algorithm>
#include <optional>

#include "common/error.h"
#include "common/text.h"
#include "platform/platform.h"

#ifndef TX3_UPDATE_HOST
#error "TX3_UPDATE_HOST (the update server's host name) must be defined by the build"
#endif

namespace tx3 {

namespace {

constexpr std::string_view kConverterSite = "https://www.dbpoweramp.com";
constexpr std::string_view kDatabaseVendorSite = "https://esd.actian.com";
// The update server's default is chosen when the suite is built (CMake cache variable
// TX3_UPDATE_HOST); a run may name another one (RunTimeUpdateHost).
constexpr std::string_view kBuildUpdateHost = TX3_UPDATE_HOST;
constexpr std::string_view kReleaseFolder = "/TX/Releases/TX_34/";

}  // namespace

std::string CodecPageAddress() {
  return std::string(kConverterSite) + "/codec-central.htm";
}

std::string ConverterInstallerAddress(std::string_view file) {
  return std::string(kConverterSite) + "/install/" + std::string(file);
}

std::string DatabaseVendorPageAddress(int page, std::string_view query) {
  return std::string(kDatabaseVendorSite) + "/download/index/" + ToText(page) + std::string(query);
}

std::string_view BuildUpdateHost() {
  return kBuildUpdateHost;
}

bool IsHostName(std::string_view host) {
  return !host.empty() && host.find_first_of("/\\ ?#@\x7f") == std::string_view::npos &&
         std::ranges::none_of(host, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::string RunTimeUpdateHost() {
  const std::optional<std::string> host = platform::Os().GetEnv(kUpdateHostVariable);
  if (!host) return std::string(kBuildUpdateHost);
  if (!IsHostName(*host)) {
    TraceLog(std::string(kUpdateHostVariable) + " '" + *host + "' is not a host name; using " +
             std::string(kBuildUpdateHost));
    return std::string(kBuildUpdateHost);
  }
  return *host;
}

std::string UpdateServerAddress(std::string_view host, std::string_view file) {
  return "https://" + std::string(host.empty() ? kBuildUpdateHost : host) +
         std::string(kReleaseFolder) + std::string(file);
}

}  // namespace tx3
