#ifndef QUARNEL_APP_PRODUCT_H_
#define QUARNEL_APP_PRODUCT_H_

#include <string_view>

namespace quarnel {

// The name and the home page as literals too, so that the engine's signature
// line is put together from them when the program is compiled.
#define QUARNEL_PRODUCT_NAME "Quarnel"
#define QUARNEL_HOME_PAGE "https://www.quarnel.example/"

inline constexpr std::string_view kProductName = QUARNEL_PRODUCT_NAME;
inline constexpr std::string_view kVersionText = "2.01.04";
// The product's home page: written into the signature line and opened by the
// about window.
inline constexpr std::string_view kHomePage = QUARNEL_HOME_PAGE;
// The author's address, held together with its "mailto:" prefix.
inline constexpr std::string_view kAuthorMailTo = "mailto:author@quarnel.example";

}  // namespace quarnel

#endif  // QUARNEL_APP_PRODUCT_H_
