#pragma once

#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/DriveList.h"
#include "platform/InstanceGuard.h"
#include "platform/Locale.h"
#include "platform/MessageBox.h"
#include "platform/WebOpener.h"

namespace rotaplan {

// Everything of the desktop the program uses, handed to the forms in one piece.
struct Platform {
    Clock& clock;
    Locale& locale;
    MessageBox& messages;
    Beeper& beep;
    InstanceGuard& instance;
    WebOpener& web;
    DriveList& drives;
    SaveDialog& save;
    PrintDialog& print;
};

} // namespace rotaplan
