// The download addresses of the software the suite needs. Every host name lives here.
#pragma once

#include <string>
#include <string_view>

namespace tx3 {

// The audio converter maker's codec page (the "Codecs Audio" link).
std::string CodecPageAddress();

// The audio converter maker's installer `file`.
std::string ConverterInstallerAddress(std::string_view file);

// The database vendor's download page `page`, with `query` (starting with "?") when the page is
// the vendor's download form.
std::string DatabaseVendorPageAddress(int page, std::string_view query = {});

// `file` in the release folder of the suite's update server.
std::string UpdateServerAddress(std::string_view file);

}  // namespace tx3
