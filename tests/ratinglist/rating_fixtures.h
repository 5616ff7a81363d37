#pragma once
// A small players list in FIDE's XML layout, written in several styles, and
// the elo.txt lines every style must give.
#include <string>
#include <vector>

#include "support/store_fixture.h"

namespace veltrun::testing {

// Element lines of the list; the player without fideid must not be written.
inline std::vector<std::string> SampleXmlLines() {
    return {"<?xml version=\"1.0\" encoding=\"utf-8\"?>", "<playerslist>",
            "<player>", "<fideid>100</fideid>", "<name>Zazadad, Vudora</name>", "<country>CZE</country>", "<sex>M</sex>",
            "<title>FM</title>", "<w_title></w_title>", "<rating>2100</rating>", "<games>9</games>", "<k>20</k>",
            "<rapid_rating>2050</rapid_rating>", "<blitz_rating>2000</blitz_rating>", "<birthday>1980</birthday>",
            "<flag>i</flag>", "</player>",
            "<player>", "<fideid>200</fideid>", "<name>Müller, Jürgen</name>", "<country>GER</country>", "<sex>M</sex>",
            "<title></title>", "<rating>1900</rating>", "<blitz_rating>1850</blitz_rating>", "<birthday>1975</birthday>",
            "</player>",
            "<player>", "<name>Nobody, Known</name>", "<rating>1500</rating>", "</player>",
            "<player>", "<FideID>400</FideID>", "<name>O&apos;Brien &amp; Sons</name>", "<country><![CDATA[IRL]]></country>",
            "<sex>F</sex>", "<title>W|GM</title>", "<Rating>2300</Rating>", "<rapid_rating>2250</rapid_rating>",
            "<blitz_rating>2200</blitz_rating>", "<birthday>1999</birthday>", "</player>",
            "<player><fideid>500</fideid></player>", "</playerslist>"};
}

inline std::vector<std::string> SampleEloLines() {
    return {"100|Zazadad Vudora|CZE|M|2100|2050|2000|1980|FM|", "200|Müller Jürgen|GER|M|1900||1850|1975||",
            "400|O'Brien & Sons|IRL|F|2300|2250|2200|1999|WGM|", "500|||||||||"};
}

struct XmlStyle {
    std::string name, indent, lineEnd;  // the indent goes before every line inside the root element
    bool finalLineEnd = true;
};

inline std::vector<XmlStyle> XmlStyles() {
    return {{"fide", "", "\n"},          {"crlf", "", "\r\n"},         {"tabs", "\t\t", "\n"},
            {"blanks", "    ", "\n"},    {"one_line", "", ""},         {"no_final_newline", "", "\n", false},
            {"mixed", " \t ", "\r\n", false}};
}

inline std::string SampleXml(const XmlStyle& style) {
    auto lines = SampleXmlLines();
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bool inner = i > 1 && i + 1 < lines.size();
        text += (inner ? style.indent : "") + lines[i];
        if (i + 1 < lines.size() || style.finalLineEnd) text += style.lineEnd;
    }
    return text;
}

}  // namespace veltrun::testing
