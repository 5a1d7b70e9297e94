// Where the maker can be found: the product's web page (the help pages lie under it) and the
// support mail address.
#pragma once

constexpr const char kProductPage[] = "https://www.pellora.example/mirrowick/";
constexpr const char kSupportAddress[] = "support@pellora.example";
