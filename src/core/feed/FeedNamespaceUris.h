#pragma once
// The namespaces whose elements make a feed's headlines.

#include <string_view>

namespace core {

namespace feed_namespace {
constexpr std::string_view kAtom = "http://www.w3.org/2005/Atom";
constexpr std::string_view kRss10 = "http://purl.org/rss/1.0/";
constexpr std::string_view kRss090 = "http://my.netscape.com/rdf/simple/0.9/";
constexpr std::string_view kRdf = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
constexpr std::string_view kDublinCore = "http://purl.org/dc/elements/1.1/";
constexpr std::string_view kContent = "http://purl.org/rss/1.0/modules/content/";
constexpr std::string_view kMedia = "http://search.yahoo.com/mrss/";
constexpr std::string_view kItunes = "http://www.itunes.com/dtds/podcast-1.0.dtd";
}  // namespace feed_namespace

}  // namespace core
