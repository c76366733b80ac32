#include <QAction>
#include <QMenu>

#include "support/ProgramFixture.h"
#include "widgets/QtText.h"

namespace veltra {
namespace {

using test::ProgramFixture;

QAction* LanguageEntry(TForm1& form, const QString& name) {
    for (QAction* entry : form.Idioma1->actions()) {
        if (entry->text() == name) return entry;
    }
    return nullptr;
}

class MainWindow : public ProgramFixture {};

TEST_F(MainWindow, StartsInEnglishWithTheLanguageMenuBuilt) {
    create();
    EXPECT_TRUE(prompts.messages.empty());
    // On the simulated instrument, which is never to be taken for a real one.
    EXPECT_EQ(form().windowTitle(), "Simulated instrument \xE2\x80\x94 VELTRA-52 Software");
    EXPECT_EQ(form().CStatus->title(), "Connection (simulated instrument)");
    EXPECT_EQ(form().PageControl->currentIndex(), 0);
    EXPECT_EQ(form().ReceiveBut->text(), toQt(text(41)));
    EXPECT_FALSE(form().Contenidos1->isEnabled());
    EXPECT_NE(LanguageEntry(form(), "English"), nullptr);
    EXPECT_NE(LanguageEntry(form(), QString::fromUtf8("Español")), nullptr);
    EXPECT_EQ(form().VersioControllerLabel->text(), "VELTRA-52 Software v1.21");
    EXPECT_EQ(form().LoggerIndex->rowCount(), 31);
    EXPECT_EQ(form().LoggerIndex->cell(0, 30), "29");
    EXPECT_EQ(form().LoggerIndex->cell(4, 0), toQt(text(23)));
}

TEST_F(MainWindow, ChoosingALanguageRelabelsTheWindowAndIsRemembered) {
    create();
    const QString englishCaption = form().ReceiveBut->text();
    LanguageEntry(form(), QString::fromUtf8("Español"))->trigger();
    EXPECT_NE(form().ReceiveBut->text(), englishCaption);
    EXPECT_EQ(form().ReceiveBut->text(),
              QString::fromUtf8("Leer los planes de canales del equipo"));
    EXPECT_EQ(form().PageControl->tabText(1), "Registros");
    EXPECT_EQ(form().Connexio->text(), "Conectado");
    EXPECT_EQ(folder.read("config.txt"), "Espa\xC3\xB1ol");
    EXPECT_TRUE(prompts.messages.empty());

    // The next start comes up in the remembered language.
    program.reset();
    create();
    EXPECT_EQ(form().PageControl->tabText(0), "Planes de canales");
}

TEST_F(MainWindow, ValueLabelsStandThreePixelsRightOfTheirCaptions) {
    create();
    LanguageEntry(form(), QString::fromUtf8("Español"))->trigger();
    for (auto [caption, value] : {std::pair{form().Model, form().Mod},
                                  {form().SNumber, form().SN},
                                  {form().IOVersion, form().IOV},
                                  {form().VTVersion, form().VTV}}) {
        EXPECT_EQ(value->x(), caption->x() + caption->width() + 3)
            << caption->objectName().toStdString();
    }
}

TEST_F(MainWindow, MissingLanguageFileShowsMessage4AndKeepsDesignCaptions) {
    folder.write("config.txt", "Deutsch");
    create();
    // First start: the table is still empty, so the box has no caption and only the code.
    ASSERT_GE(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, "");
    EXPECT_EQ(prompts.messages[0].text, ": 4");
    EXPECT_EQ(form().ReceiveBut->text(), "Read equipment's channel plans");
    // No Deutsch.bmp either: the neutral flag and message 3.
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text, ": 3");
    EXPECT_FALSE(form().Bandera->pixmap().isNull());
}

TEST_F(MainWindow, ConfigWithALineBreakStillLoadsTheLanguage) {
    folder.write("config.txt", "Espa\xC3\xB1ol\r\n");
    create();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(form().PageControl->tabText(1), "Registros");
}

TEST_F(MainWindow, MissingFlagFallsBackToTheNeutralFlag) {
    std::filesystem::remove(folder.path() / "Languages" / "English.bmp");
    create();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, messageText(3));
    EXPECT_EQ(prompts.messages[0].text, text(62) + ": 3");
    EXPECT_FALSE(form().Bandera->pixmap().isNull());
}

TEST_F(MainWindow, StartupErrorsEscapeToTheStartupCode) {
    std::filesystem::remove(folder.path() / "Languages" / "English.bmp");
    std::filesystem::remove(folder.path() / "Languages" / "NoLanguage.bmp");
    EXPECT_THROW(create(), std::exception);
}

TEST_F(MainWindow, MissingConnectionPictureEndsTheStart) {
    std::filesystem::remove(folder.path() / "Images" / "usb.bmp");
    EXPECT_THROW(create(), std::exception);
}

TEST_F(MainWindow, BadKeyAtStartEndsTheStart) {
    folder.write("Languages/English.lng", "a,1=File\nb,one=bad\n");
    EXPECT_THROW(create(), std::runtime_error);
}

TEST_F(MainWindow, BadKeyFromTheMenuIsReportedAndNotRemembered) {
    folder.write("Languages/Broken.lng", "a,1=Datei\nb,zwei=bad\n");
    folder.write("Languages/Broken.bmp", "");
    create();
    // Framework errors are shown in an error box: here it would block, so only the outcome is
    // checked: the choice is not saved and the texts stay.
    const QString caption = form().ReceiveBut->text();
    form().language().setName("Broken");
    EXPECT_THROW(form().SetLanguage(), std::runtime_error);
    EXPECT_EQ(form().ReceiveBut->text(), caption);
    EXPECT_FALSE(folder.exists("config.txt"));
}

TEST_F(MainWindow, LanguageMenuIsEmptyWithoutLanguageFiles) {
    std::filesystem::remove_all(folder.path() / "Languages");
    std::filesystem::create_directories(folder.path() / "Languages");
    folder.write("Languages/NoLanguage.bmp", test::TempFolder().read("none"));
    create(false);
    form().BuildLanguageMenu();
    EXPECT_TRUE(form().Idioma1->actions().isEmpty());
}

}  // namespace
}  // namespace veltra
