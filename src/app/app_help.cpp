// The Help menu: pages of the product web site and the about window.

#include "app/app.h"

#include "platform/desktop.h"
#include "ui/wndabout.h"

// A reserved example domain, until the product has a site of its own.
const QString App::kSiteRoot = QStringLiteral("https://www.example.com/tandeo/");

wndAbout* App::aboutWindow()
{
    if (!m_about)
        m_about = new wndAbout(theVersion, kSiteRoot);
    return m_about;
}

void App::HelpOnlineManual_Action()
{
    platform::desktop().openUrl(kSiteRoot + QStringLiteral("help/"));
}

void App::HelpCheckforUpdates_Action()
{
    // The version goes into the address as it is: digits and dots need no encoding.
    platform::desktop().openUrl(kSiteRoot + QStringLiteral("checkforupdate.php?v=") + theVersion);
}

void App::HelpTestimonials_Action()
{
    platform::desktop().openUrl(kSiteRoot + QStringLiteral("testimonials/"));
}

void App::HelpAboutTandeo_Action()
{
    aboutWindow()->showInFront();
}
