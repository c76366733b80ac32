#include "loggers/windows/TLimitsDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <cstdlib>

#include "face/Messages.h"
#include "language/TextKeys.h"
#include "text/Files.h"
#include "text/Text.h"
#include "widgets/ControlTexts.h"
#include "widgets/QtText.h"

namespace veltra {

namespace {

// The fields of a TV logger in the left half, the network figures and DOCSIS on the right.
constexpr std::size_t kLeftFields = 6;

// A field that holds levels (shown in the chosen unit), not a difference of levels or a ratio.
bool IsLevel(const LimitField& field) {
    return field.range && field.range != &LimitSet::digitalToAnalog;
}

}  // namespace

TLimitsDialog::TLimitsDialog(const LimitSet& current, std::string ownFolder, UserPrompts* prompts,
                             const LanguageTable& texts, QWidget* parent, LevelUnit unit)
    : QDialog(parent),
      ownFolder_(std::move(ownFolder)),
      prompts_(prompts),
      texts_(texts),
      unit_(unit),
      chosen_(current) {
    setObjectName("LimitsDialog");
    auto text = [this](int key) { return toQt(texts_.text(key)); };
    setWindowTitle(text(text::kLimitsCaption));
    auto* grid = new QGridLayout(this);
    auto named = [](QWidget* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    LimitSetChoice = new QComboBox(this);
    LimitSetChoice->setObjectName("LimitSetChoice");
    LimitSetName = new QLineEdit(this);
    LimitSetName->setObjectName("LimitSetName");
    auto* choiceLabel = new QLabel(text(text::kLimitSetChoice), this);
    auto* nameLabel = new QLabel(text(text::kLimitSetName), this);
    choiceLabel->setBuddy(LimitSetChoice);
    nameLabel->setBuddy(LimitSetName);
    grid->addWidget(named(choiceLabel, "LimitSetChoiceLabel"), 0, 0);
    grid->addWidget(LimitSetChoice, 0, 1, 1, 6);
    grid->addWidget(named(nameLabel, "LimitSetNameLabel"), 1, 0);
    grid->addWidget(LimitSetName, 1, 1, 1, 6);

    // Each field: its words, then one box, or two for a range (min, max).
    const auto& fields = LimitFields();
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const int row = 2 + static_cast<int>(k % kLeftFields);
        const int column = k < kLeftFields ? 0 : 4;
        auto* label = new QLabel(toQt(WithUnitNamed(texts_.text(fields[k].text), unit_)), this);
        label->setObjectName(QString("LimitLabel%1").arg(k));
        grid->addWidget(label, row, column);
        if (fields[k].value == &LimitSet::maxBer) {
            BerEdit = new QLineEdit(this);
            BerEdit->setObjectName("BerEdit");
            grid->addWidget(BerEdit, row, column + 1, 1, 2);
            label->setBuddy(BerEdit);
            continue;
        }
        for (int side = 0; side < (fields[k].range ? 2 : 1); ++side) {
            auto* box = new QDoubleSpinBox(this);
            box->setObjectName(QString("LimitValue%1_%2").arg(k).arg(side));
            const LevelUnit unit = IsLevel(fields[k]) ? unit_ : LevelUnit::dBuV;
            box->setRange(LevelIn(-100, unit), LevelIn(200, unit));
            box->setDecimals(1);
            grid->addWidget(box, row, column + 1 + side);
            Values.push_back(box);
            if (side == 0) label->setBuddy(box);
        }
    }
    grid->setColumnMinimumWidth(3, 16);

    auto* files = new QHBoxLayout;
    SaveOwnButton = new QPushButton(text(text::kSaveOwnLimitSet), this);
    ImportButton = new QPushButton(text(text::kImportLimitSet), this);
    ExportButton = new QPushButton(text(text::kExportLimitSet), this);
    SaveOwnButton->setObjectName("SaveOwnButton");
    ImportButton->setObjectName("ImportButton");
    ExportButton->setObjectName("ExportButton");
    for (QPushButton* button : {SaveOwnButton, ImportButton, ExportButton}) {
        button->setAutoDefault(false);
        files->addWidget(button);
    }
    files->addStretch();
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName("Buttons");
    NameStandardButtons(*Buttons, texts_);
    files->addWidget(Buttons);
    grid->addLayout(files, 2 + static_cast<int>(kLeftFields), 0, 1, 7);

    const std::string filter =
        FileFilter(texts_, text::kLimitSetFiles, std::string("*") + kLimitSetExtension);
    ImportDialog.filter = ExportDialog.filter = filter;
    connect(LimitSetChoice, qOverload<int>(&QComboBox::activated), this,
            &TLimitsDialog::LimitSetChoiceChange);
    connect(SaveOwnButton, &QPushButton::clicked, this, &TLimitsDialog::SaveOwnClick);
    connect(ImportButton, &QPushButton::clicked, this, &TLimitsDialog::ImportClick);
    connect(ExportButton, &QPushButton::clicked, this, &TLimitsDialog::ExportClick);
    connect(Buttons, &QDialogButtonBox::accepted, this, &TLimitsDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fillChoice(current);
    showSet(current);
}

void TLimitsDialog::fillChoice(const LimitSet& extra) {
    sets_ = BuiltInLimitSets();
    if (!ownFolder_.empty())
        for (LimitSet& own : OwnLimitSets(ownFolder_))
            sets_.push_back(std::move(own));
    int selected = -1;
    for (std::size_t k = 0; k < sets_.size(); ++k)
        if (sets_[k].name == extra.name) selected = static_cast<int>(k);
    if (selected < 0) {
        sets_.push_back(extra);
        selected = static_cast<int>(sets_.size()) - 1;
    }
    LimitSetChoice->clear();
    for (const LimitSet& set : sets_) {
        LimitSetChoice->addItem(toQt(set.name));
        LimitSetChoice->setItemData(LimitSetChoice->count() - 1, toQt(set.source), Qt::ToolTipRole);
    }
    LimitSetChoice->setCurrentIndex(selected);
}

void TLimitsDialog::showSet(const LimitSet& set) {
    LimitSetName->setText(toQt(set.name));
    LimitSetChoice->setToolTip(toQt(set.source));
    std::size_t box = 0;
    for (const LimitField& field : LimitFields()) {
        if (field.range) {
            const LevelUnit unit = IsLevel(field) ? unit_ : LevelUnit::dBuV;
            Values[box++]->setValue(LevelIn((set.*field.range).min, unit));
            Values[box++]->setValue(LevelIn((set.*field.range).max, unit));
        } else if (field.value == &LimitSet::maxBer) {
            BerEdit->setText(toQt(Scientific(set.maxBer)));
        } else {
            Values[box++]->setValue(set.*field.value);
        }
    }
}

std::optional<LimitSet> TLimitsDialog::shownSet(std::string& error) const {
    // Made as a file's text and read back: the dialog refuses what a file would.
    LimitSet set;
    set.name = fromQt(LimitSetName->text());
    const int index = LimitSetChoice->currentIndex();
    if (index >= 0 && static_cast<std::size_t>(index) < sets_.size())
        set.source = sets_[static_cast<std::size_t>(index)].source;
    std::size_t box = 0;
    error.clear();
    // Back in dBuV from the unit shown.
    const double toDbuv = unit_ == LevelUnit::dBmV ? 60 : 0;
    for (const LimitField& field : LimitFields()) {
        if (field.range) {
            QDoubleSpinBox* low = Values[box++];
            QDoubleSpinBox* high = Values[box++];
            // A range whose minimum is above its maximum: its boxes marked, said in words.
            const bool noRange = low->value() > high->value();
            for (QDoubleSpinBox* edge : {low, high})
                edge->setStyleSheet(noRange ? "background: #ffcdcd" : "");
            if (noRange && error.empty())
                error = FillIn(texts_.text(text::kMinAboveMax),
                               {WithUnitNamed(texts_.text(field.text), unit_)});
            const double shift = IsLevel(field) ? toDbuv : 0;
            (set.*field.range).min = low->value() + shift;
            (set.*field.range).max = high->value() + shift;
        } else if (field.value != &LimitSet::maxBer) {
            set.*field.value = Values[box++]->value();
        }
    }
    if (!error.empty()) return std::nullopt;
    std::string text = FormatLimitSet(set);
    const std::string ber = "maximum BER = " + Scientific(set.maxBer);
    text.replace(text.find(ber), ber.size(), "maximum BER = " + fromQt(BerEdit->text()));
    return ParseLimitSet(text, error);
}

void TLimitsDialog::LimitSetChoiceChange(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < sets_.size())
        showSet(sets_[static_cast<std::size_t>(index)]);
}

void TLimitsDialog::say(int code, const std::string& detail, MessageIcon icon) {
    if (prompts_)
        prompts_->showMessage(0, texts_.text(text::kLimitsCaption),
                              FillIn(texts_.text(code), {detail}), icon);
}

void TLimitsDialog::SaveOwnClick() {
    std::string error;
    auto set = shownSet(error);
    if (!set) return say(text::kLimitSetBad, error, MessageIcon::Error);
    if (!prompts_) return;
    // The program's sets keep their values: an own set has a name of its own.
    if (FindBuiltInLimitSet(set->name))
        return say(text::kLimitSetBuiltInName, set->name, MessageIcon::Error);
    const auto path = SaveOwnLimitSet(ownFolder_, *set);
    if (!path) return ShowMessageCode(*prompts_, texts_, message::kFileUnwritable, path.detail());
    fillChoice(*set);
    say(text::kLimitSetSaved, *path, MessageIcon::Information);
}

void TLimitsDialog::ImportClick() {
    if (!prompts_) return;
    const auto path = prompts_->chooseOpenFile(ImportDialog);
    if (!path || path->empty()) return;
    std::string error;
    auto set = ReadLimitSetFile(*path, error);
    // A file that is no limit set changes nothing shown.
    if (!set) return say(text::kLimitSetBad, *path + ": " + error, MessageIcon::Error);
    fillChoice(*set);
    showSet(*set);
}

void TLimitsDialog::ExportClick() {
    if (!prompts_) return;
    std::string error;
    auto set = shownSet(error);
    if (!set) return say(text::kLimitSetBad, error, MessageIcon::Error);
    ExportDialog.fileName = SafeFileName(set->name) + kLimitSetExtension;
    auto path = prompts_->chooseSaveFile(ExportDialog);
    if (!path || path->empty()) return;
    if (!EndsWith(*path, kLimitSetExtension)) *path += kLimitSetExtension;
    if (const FileWrite written = WriteFileAtomically(*path, FormatLimitSet(*set)); !written)
        return ShowMessageCode(*prompts_, texts_, message::kFileUnwritable,
                               UnwritableDetail(*path, written));
    say(text::kLimitSetSaved, *path, MessageIcon::Information);
}

void TLimitsDialog::accept() {
    std::string error;
    auto set = shownSet(error);
    if (!set) return say(text::kLimitSetBad, error, MessageIcon::Error);
    // A set of the program's whose values were changed is no longer that set.
    if (const LimitSet* builtIn = FindBuiltInLimitSet(set->name)) {
        LimitSet same = *set;
        same.source = builtIn->source;
        if (FormatLimitSet(same) != FormatLimitSet(*builtIn)) set->name += " *";
    }
    chosen_ = std::move(*set);
    QDialog::accept();
}

}  // namespace veltra
