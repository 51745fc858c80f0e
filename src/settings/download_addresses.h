// The download addresses of the software the suite needs. Every host name lives here.
#pragma once

#include <string>
#include <string_view>

namespace tx3 {

// The environment variable that points a run at another update server (a radio's own mirror).
inline constexpr std::string_view kUpdateHostVariable = "TX3_UPDATE_HOST";

// The audio converter maker's codec page (the "Codecs Audio" link).
std::string CodecPageAddress();

// The audio converter maker's installer `file`.
std::string ConverterInstallerAddress(std::string_view file);

// The database vendor's download page `page`, with `query` (starting with "?") when the page is
// the vendor's download form.
std::string DatabaseVendorPageAddress(int page, std::string_view query = {});

// The update server's host chosen when the suite was built.
std::string_view BuildUpdateHost();

// Whether `host` may stand between "https://" and the release folder: not empty, and without
// "/", "\", blanks, "?", "#", "@" or control characters.
bool IsHostName(std::string_view host);

// The update server's host for a run starting now: the environment's TX3_UPDATE_HOST when it is
// set and a host name, the build's host otherwise (a refused value is traced in the log).
std::string RunTimeUpdateHost();

// `file` in the release folder of the update server `host`; an empty host is the build's host.
std::string UpdateServerAddress(std::string_view host, std::string_view file);

}  // namespace tx3
