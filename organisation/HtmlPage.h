// What the organisation's printed pages share: the head of the page with
// its print rules, so that each category starts a printed page.
#pragma once

#include <string>

// "<!DOCTYPE html>..." up to and including "<body>", UTF-8. A section of
// class "category" after another starts a new printed page.
std::string OrganisationPageStart(const std::string& title);
// "</body></html>".
std::string OrganisationPageEnd();
// <tag class="cls">escaped text</tag>
std::string HtmlCell(const char* tag, const std::string& text, const char* cls = nullptr);
