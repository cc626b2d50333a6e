// Texts that are looked up only when needed (messages, captions chosen at
// run time) register here, so that every one of them reaches the
// configuration file at the first start and a translator sees them all,
// not only those that happened to be shown.
#pragma once

#include <string>
#include <vector>

class AppConfig;

struct CatalogueText {
    // Registers itself; defined at namespace scope, once per text.
    CatalogueText(const char* key, const char* builtIn);
    const char* key;
    const char* builtIn;
};

// Every registered text, in registration order.
const std::vector<const CatalogueText*>& CatalogueTexts();

// Looks up every registered text in the current language, so that a missing
// one is stored with its built-in text.
void StoreCatalogueTexts(AppConfig& app);

// A registered text in the current language.
std::string Lang(AppConfig& app, const CatalogueText& text);
