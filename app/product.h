#ifndef QUARNEL_APP_PRODUCT_H_
#define QUARNEL_APP_PRODUCT_H_

#include <string_view>

namespace quarnel {

inline constexpr std::string_view kProductName = "Quarnel";
inline constexpr std::string_view kVersionText = "2.01.04";
// The product's home page: written into the signature line and opened by the
// about window.
inline constexpr std::string_view kHomePage = "https://www.quarnel.example/";
// The author's address, held together with its "mailto:" prefix.
inline constexpr std::string_view kAuthorMailTo = "mailto:author@quarnel.example";

}  // namespace quarnel

#endif  // QUARNEL_APP_PRODUCT_H_
