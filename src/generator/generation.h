#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace platform {
class Desktop;
}

namespace generator {

// The page settings a generation reads, as plain values gathered from the window's controls
// (untrimmed, as the user typed them; the engine trims where the page needs it).
struct PageValues {
    QString productName;      // txtProductName
    QString salutation;       // txtSalutation
    QString domain;           // txtDomain
    QString arAddress;        // txtARAddress
    QString salesLetterURL;   // txtSalesLetterURL
    QString thanksURL;        // txtThanksURL
    bool thanksChecked = false; // chkThanks
    bool choicesMode = false;   // RadioButton2 selected
    int choiceFormat = 0;       // popChoiceFormat: 0 drop-down list, otherwise radio buttons
    QString choiceWording;      // txtChoiceWording
    std::array<QString, 5> display;   // txtDisplay1..5
    std::array<QString, 5> choiceURL; // txtChoice1..5
    std::array<QString, 5> choiceAR;  // txtChoiceAR1..5
    QString headline;         // txtHeadline
    QString body;             // txtBody
    QString optin;            // txtOptin
    QString submit;           // txtSubmit
    QString testimonial;      // txtTestimonial
    QStringList bullets;      // lstBullets rows, in order
    int audio = 0;            // popAudio: 0 none, 1 manual start, 2 autostart
    QString templateRowText;  // the selected popTemplate row's text
    QString templateRowTag;   // the selected popTemplate row's tag
};

// What one "Generate Code" run did.
struct GenerationResult {
    enum class Outcome {
        Completed, // the site was written
        Cancelled, // the folder dialog was cancelled
        Stopped,   // a message or the overwrite question ended it
        Failed,    // a file could not be read or written; a message said which
    };
    Outcome outcome = Outcome::Cancelled;
    QString dest;         // the folder chosen (empty when cancelled), recorded even when stopped
    QString notes;        // the installation notes written, when completed
    QStringList written;  // the files written, in order
};

// Runs the whole generation: asks for the output folder through the desktop, writes the
// site and reports. Widget-free, so it serves the window, tests and a batch mode alike.
GenerationResult generateSite(const PageValues& values, const QString& resourceFolder,
                              const QString& applicationFolder, platform::Desktop& desktop);

} // namespace generator
