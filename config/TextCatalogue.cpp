#include "config/TextCatalogue.h"

#include "config/AppConfig.h"

namespace {
// Filled during static initialisation, from any translation unit: a
// function-local list is there before the first registration.
std::vector<const CatalogueText*>& Registry() {
    static std::vector<const CatalogueText*> texts;
    return texts;
}
} // namespace

CatalogueText::CatalogueText(const char* k, const char* b) : key(k), builtIn(b) {
    Registry().push_back(this);
}

const std::vector<const CatalogueText*>& CatalogueTexts() {
    return Registry();
}

void StoreCatalogueTexts(AppConfig& app) {
    const std::string language = app.CurrentLanguage();
    for (const CatalogueText* text : Registry())
        app.LangText(language, text->key, text->builtIn);
}

std::string Lang(AppConfig& app, const CatalogueText& text) {
    return app.LangText(app.CurrentLanguage(), text.key, text.builtIn);
}
