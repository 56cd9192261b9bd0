#pragma once
// The control panel's controls by ID: its handlers, and tests from outside, find them so.

namespace glaze {

enum ControlId : int {
    ControlsPaneId = 100,
    FinderToolId,
    TitleBoxId,
    ApplyButtonId,
    TitleLabelId,
    RefreshButtonId,
    WindowListId,
    CloseProgramBoxId,
    CollectedTitlesId,
    UsageTextId,
    SaveSettingsBoxId,
    SkinListId,
    SkinLabelId,
    CreditsTextId,
    EmblemId,
};

} // namespace glaze
