#include "generator/generation.h"

#include "generator/catalogue.h"
#include "generator/choices.h"
#include "generator/fileops.h"
#include "generator/htmlpage.h"
#include "generator/tokens.h"
#include "platform/desktop.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace generator {

namespace {

using platform::TextEncoding;
using platform::Unrepresentable;

const QString kNoResourceFolder = QStringLiteral(
    "The folder 'tautils' can not be found. You may need to reinstall the application.");
const QString kResourceFolderRefused = QStringLiteral(
    "You can NOT save the generated files into that folder. That folder is for Tandeo program "
    "files only. Please choose another.");
const QString kOverwriteQuestion =
    QStringLiteral("Do you want to overwrite the existing files in that folder?");
const QString kTemplateNotFound = QStringLiteral(
    "Sorry, the HTML template you chose could not be found. Please make a different choice.");
const QString kStoppedAfterFailure = QStringLiteral(
    " The code generation stopped there; the files written before stay in the output folder.");

const QString kAudioTag = QStringLiteral(
    "<script language='JavaScript' src='tdoaudio.js' type='text/javascript'></script>");
const QString kAudioFileList =
    QStringLiteral("tdo_greeting.swf\rgreeting.mp3 (you have to supply this yourself)");

// The files whose presence means an earlier generation wrote into the folder, in the order
// they are looked for, and the order in which the overwrite deletes them.
const QStringList kEarlierFiles = {QStringLiteral("tandeo.js"), QStringLiteral("tandeolg.js"),
                                   QStringLiteral("lgsignup.php"),
                                   QStringLiteral("READ-ME-NOW.txt")};
const QStringList kOverwrittenFiles = {QStringLiteral("tandeo.js"), QStringLiteral("lgsignup.php"),
                                       QStringLiteral("tandeolg.js"),
                                       QStringLiteral("READ-ME-NOW.txt")};

// Whether two paths name the same folder, also through a link or another spelling.
bool sameFolder(const QString& a, const QString& b)
{
    const auto canonical = [](const QString& path) {
        const QFileInfo info(path);
        const QString resolved = info.canonicalFilePath();
        return resolved.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : resolved;
    };
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    constexpr Qt::CaseSensitivity fileNameCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity fileNameCase = Qt::CaseSensitive;
#endif
    return canonical(a).compare(canonical(b), fileNameCase) == 0;
}

QString bulletsMarkup(const QStringList& rows)
{
    QString markup = QStringLiteral("<ul>");
    for (const QString& row : rows)
        if (!row.trimmed().isEmpty())
            markup += QStringLiteral("<li>") + row + QStringLiteral("</li>\r");
    return markup + QStringLiteral("</ul>");
}

// One run of "Generate Code"; a failing read or write throws platform::TextFileError.
class Generation {
public:
    Generation(const PageValues& values, const QString& resourceFolder, GenerationResult& result)
        : v(values), resources(resourceFolder), output(result.dest), result(result)
    {
    }

    // Steps 6 to 21, into a folder already chosen and cleared. False when a message stopped it.
    bool writeSite(platform::Desktop& desktop);

private:
    QString resource(const QString& name) const { return resources.filePath(name); }
    QString readResource(const QString& name) const { return LoadText(resource(name)); }
    // Writes one file of the site and returns its text as it stands in the file.
    QString write(const QString& name, const QString& text,
                  const TextEncoding& encoding = TextEncoding::windows1252(),
                  Unrepresentable fallback = Unrepresentable::CharacterReference)
    {
        const QString written =
            platform::writeTextFile(output.filePath(name), text, encoding, fallback);
        result.written << name;
        return written;
    }
    QString writeScript(const QString& name, const QString& text)
    {
        return write(name, text, TextEncoding::windows1252(), Unrepresentable::JavaScriptEscape);
    }

    const PageValues& v;
    QDir resources;
    QDir output;
    GenerationResult& result;
};

bool Generation::writeSite(platform::Desktop& desktop)
{
    const QString thanksURL = v.thanksChecked ? v.thanksURL.trimmed() : v.salesLetterURL.trimmed();
    const QString domain = v.domain.trimmed();
    // Values that go into a script's string literals (or the style it carries for pages
    // seen without scripts).
    const QString salutation = v.salutation.trimmed();

    QString tandeo = readResource(QStringLiteral("tandeo.js"));
    replaceScriptToken(tandeo, u"[DEFAULT SALUTATION]", salutation);
    const QString tandeoWritten = writeScript(QStringLiteral("tandeo.js"), tandeo);

    QString tandeolg = readResource(QStringLiteral("tandeolg.js"));
    replaceScriptToken(tandeolg, u"[SALES LETTER URL]", v.salesLetterURL.trimmed());
    replaceScriptToken(tandeolg, u"[DEFAULT SALUTATION]", salutation);
    const QString tandeolgWritten = writeScript(QStringLiteral("tandeolg.js"), tandeolg);

    QString signup = readResource(QStringLiteral("lgsignup.php"));
    for (int n = 0; n < 5; ++n)
        replaceToken(signup, QStringLiteral("[CHOICE0%1]").arg(n + 1), v.choiceURL[n].trimmed());
    for (int n = 0; n < 5; ++n)
        replaceToken(signup, QStringLiteral("[AR0%1]").arg(n + 1), v.choiceAR[n].trimmed());
    replaceToken(signup, u"[AR EMAIL ADDRESS]", v.arAddress.trimmed());
    replaceToken(signup, u"[THANKS URL]", thanksURL);
    replaceToken(signup, u"[DOMAIN]", domain);
    write(QStringLiteral("lgsignup.php"), signup);

    QString templateId = templateIdentifier(v.templateRowTag);

    QString audioTag;
    if (v.audio > 0) {
        QString audio = readResource(QStringLiteral("tdoaudio.js"));
        replaceToken(audio, u"[AUTOPLAY]", QString::number(v.audio - 1));
        writeScript(QStringLiteral("tdoaudio.js"), audio);
        audioTag = kAudioTag;
    }

    const QString bullets = bulletsMarkup(v.bullets);

    platform::TextFile pageFile;
    if (v.templateRowText.compare(kBrowseRow, Qt::CaseInsensitive) != 0) {
        pageFile =
            platform::readTextFile(resource(QStringLiteral("templates/%1.html").arg(templateId)));
    } else {
        if (templateId.isEmpty() || !QFileInfo::exists(templateId)) {
            desktop.showMessage(kTemplateNotFound);
            return false;
        }
        pageFile = platform::readTextFile(templateId);
        templateId = QFileInfo(templateId).fileName().section(QLatin1Char('.'), 0, 0);
    }
    QString page = pageFile.text;
    // The page keeps the charset its template stands in: a byte order mark first, then what its
    // head declares, else Windows-1252.
    TextEncoding pageEncoding = pageFile.encoding;
    if (!pageEncoding.byteOrderMark) {
        pageEncoding = declaredEncoding(page);
        if (pageEncoding.name.isEmpty())
            pageEncoding = TextEncoding::windows1252();
    }

    replaceToken(page, u"<taOPTIN FORM>", readResource(QStringLiteral("optinForm.html")));

    const QString scripts = tandeoWritten + tandeolgWritten;
    replaceToken(page, u"[JAVASCRIPT]", scripts);
    replaceToken(page, u"<taJAVASCRIPT>", scripts);

    replaceToken(page, u"<taAUDIO>", audioTag);
    replaceToken(page, u"<taPRODUCT NAME>", v.productName.trimmed());
    replaceToken(page, u"<taSALES LETTER URL>", v.choiceURL[1].trimmed());
    replaceToken(page, u"[DOMAIN]", domain);
    replaceToken(page, u"<taHEADLINE>", v.headline.trimmed());
    replaceToken(page, u"<taOPTIN WORDING>", v.optin.trimmed());
    replaceToken(page, u"<taBODY>", v.body.trimmed());
    replaceToken(page, u"<taBULLETS>", bullets);
    replaceToken(page, u"<taSUBMIT BUTTON>", v.submit.trimmed());
    replaceToken(page, u"<taTESTIMONIAL>", v.testimonial.trimmed());

    if (v.choicesMode) {
        const QString choices = v.choiceFormat == 0
                                    ? DropDownChoices(v.choiceWording, v.display)
                                    : RadioButtonChoices(v.choiceWording, v.display);
        replaceToken(page, u"<taCHOICES>", choices);
    }
    write(QStringLiteral("index.html"), page, pageEncoding);

    QString notes = readResource(QStringLiteral("READ-ME-NOW.txt"));
    replaceToken(notes, u"[THANKS URL]", thanksURL);
    replaceToken(notes, u"[DOMAIN]", domain);
    replaceToken(notes, u"[AUDIO]", audioTag.isEmpty() ? QString() : kAudioFileList);
    write(QStringLiteral("READ-ME-NOW.txt"), notes);
    result.notes = notes;

    const QString images = resource(QStringLiteral("templates/%1-img").arg(templateId));
    if (QFileInfo(images).isDir()) {
        CopyFileorFolder(images, output.path());
        const QString copy = output.filePath(QFileInfo(images).fileName());
        const QFileInfo img(output.filePath(QStringLiteral("img")));
        // An "img" already there keeps the copy under its own name; a folder chosen inside the
        // resource folder never has the template's own image folder renamed.
        if (!img.exists() && !img.isSymLink() && !sameFolder(copy, images))
            output.rename(QFileInfo(images).fileName(), QStringLiteral("img"));
    }

    if (!audioTag.isEmpty())
        CopyFileorFolder(resource(QStringLiteral("tdo_greeting.swf")), output.path());
    return true;
}

} // namespace

GenerationResult generateSite(const PageValues& values, const QString& resourceFolder,
                              const QString& applicationFolder, platform::Desktop& desktop)
{
    GenerationResult result;
    if (!QFileInfo(resourceFolder).isDir()) {
        desktop.showMessage(kNoResourceFolder);
        result.outcome = GenerationResult::Outcome::Stopped;
        return result;
    }

    platform::FileDialogRequest request;
    request.title = QStringLiteral("Save Opt-In Page");
    request.prompt = QStringLiteral("Choose a folder to hold the generated code.");
    request.actionCaption = QStringLiteral("Select");
    request.initialFolder = applicationFolder;
    result.dest = desktop.chooseFolder(request);
    if (result.dest.isEmpty()) {
        result.outcome = GenerationResult::Outcome::Cancelled;
        return result;
    }

    result.outcome = GenerationResult::Outcome::Stopped;
    if (sameFolder(result.dest, resourceFolder)) {
        desktop.showMessage(kResourceFolderRefused);
        return result;
    }

    const QDir output(result.dest);
    const bool earlierSite =
        std::any_of(kEarlierFiles.cbegin(), kEarlierFiles.cend(),
                    [&](const QString& name) { return QFileInfo::exists(output.filePath(name)); });
    if (earlierSite) {
        if (!desktop.askYesNo(kOverwriteQuestion, platform::Icon::Question, true))
            return result;
        for (const QString& name : kOverwrittenFiles)
            QFile::remove(output.filePath(name));
        deleteItem(output.filePath(QStringLiteral("img")));
    }

    try {
        Generation generation(values, resourceFolder, result);
        if (!generation.writeSite(desktop))
            return result;
    } catch (const platform::TextFileError& error) {
        desktop.showMessage(failureMessage(error) + kStoppedAfterFailure, platform::Icon::Caution);
        result.outcome = GenerationResult::Outcome::Failed;
        return result;
    }
    result.outcome = GenerationResult::Outcome::Completed;
    return result;
}

} // namespace generator
