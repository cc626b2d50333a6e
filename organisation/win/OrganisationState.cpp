#include "organisation/win/OrganisationState.h"

#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "config/TextCatalogue.h"
#include "texts/TextEncoding.h"

namespace {

const CatalogueText kUnreadable{"PO_40", "Файл соревнования не удается прочитать, он не будет изменен:"};
const CatalogueText kNotSaved{"PO_41", "Файл соревнования не удалось записать, изменение не сохранено:"};

} // namespace

const std::string& CompetitionPath(Application& app) {
    OrganisationState& s = app.organisation;
    if (s.path.empty())
        s.path = UserFilePath(kCompetitionFileName);
    return s.path;
}

void ShowCompetitionPath(HWND page, const FileField& field, Application& app) {
    SetFileField(page, field, CompetitionPath(app));
}

CompetitionLoad ReloadCompetition(Application& app) {
    OrganisationState& s = app.organisation;
    Competition read;
    s.error.clear();
    s.load = LoadCompetition(CompetitionPath(app), read, s.error);
    s.competition = s.load == CompetitionLoad::Loaded ? read : NewCompetition();
    return s.load;
}

bool TakeCompetitionPath(HWND page, const FileField& field, Application& app, bool always) {
    const std::string path = FileFieldPath(page, field);
    if (path.empty()) {
        ShowCompetitionPath(page, field, app); // a cleared field means the default again
        app.organisation.path.clear();
    } else if (path == CompetitionPath(app) && !always) {
        return false;
    } else {
        app.organisation.path = path;
    }
    ReloadCompetition(app);
    return true;
}

std::string CompetitionUnreadableText(Application& app) {
    const OrganisationState& s = app.organisation;
    return Lang(app, kUnreadable) + "\n" + s.path + (s.error.empty() ? "" : "\n" + Utf8ToSystemText(s.error));
}

bool ReadCompetitionForChange(HWND page, Application& app) {
    if (ReloadCompetition(app) != CompetitionLoad::Unreadable)
        return true;
    ShowWarning(page, CompetitionUnreadableText(app));
    return false;
}

bool SaveCompetitionOrWarn(HWND page, Application& app) {
    OrganisationState& s = app.organisation;
    std::string error;
    PrepareUserFilesFolder(s.path); // a failure shows as the write's
    if (SaveCompetition(s.path, s.competition, error)) {
        s.load = CompetitionLoad::Loaded;
        return true;
    }
    ShowWarning(page,
                Lang(app, kNotSaved) + "\n" + s.path + (error.empty() ? "" : "\n" + Utf8ToSystemText(error)));
    ReloadCompetition(app);
    return false;
}
