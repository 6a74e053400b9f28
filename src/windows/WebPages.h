// The product's pages that the windows link to.
#pragma once

inline constexpr char kProductHost[] = "www.lumetta.example";
inline constexpr char kProductPage[] = "https://www.lumetta.example/en/";
inline constexpr char kSupportPage[] = "https://www.lumetta.example/en/donate/";
