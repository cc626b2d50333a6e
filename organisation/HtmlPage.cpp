#include "organisation/HtmlPage.h"

#include "results/ResultsSheet.h"

std::string OrganisationPageStart(const std::string& title) {
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(title) +
           "</title>\n<style>\n"
           "body { font-family: sans-serif; margin: 2em; }\n"
           "table { border-collapse: collapse; margin-bottom: 1.5em; }\n"
           "th, td { border: 1px solid #444; padding: 0.2em 0.6em; }\n"
           "td.n { text-align: right; }\n"
           "tr.none td { color: #777; }\n"
           "p.head { margin: 0.2em 0; }\n"
           "@media print {\n"
           "  body { margin: 0; }\n"
           "  .category + .category { page-break-before: always; break-before: page; }\n"
           "  h2, h3 { page-break-after: avoid; break-after: avoid; }\n"
           "  tr { page-break-inside: avoid; break-inside: avoid; }\n"
           "}\n"
           "</style>\n</head>\n<body>\n";
}

std::string OrganisationPageEnd() {
    return "</body>\n</html>\n";
}

std::string HtmlCell(const char* tag, const std::string& text, const char* cls) {
    return std::string("<") + tag + (cls ? std::string(" class=\"") + cls + "\"" : "") + ">" +
           HtmlEscape(text) + "</" + tag + ">";
}
