// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/RecordingWorkflow.h"

#include "base/Sysutils.h"

namespace ledcube {

namespace {

constexpr auto kSwitchButtons = {ControlId::BP1, ControlId::BP2, ControlId::BP3, ControlId::Aucun};

}  // namespace

std::int32_t FrameDuration(const std::string& text) {
    std::int32_t duration = 0;
    try {
        duration = StrToInt(text);
    } catch (const Exception& error) {
        throw Exception(error.Message() +
                        "\nIndiquez la durée de l'image en millisecondes : un nombre entier, 15 ou "
                        "plus.");
    }
    if (duration > kLongestFrameMs)
        throw Exception("Durée trop longue : " + std::to_string(duration) +
                        " ms. Une image dure au plus " + std::to_string(kLongestFrameMs) +
                        " ms, sinon le microcontrôleur la répète sans fin.");
    return duration;
}

bool MayNotFit(const FlashEstimate& estimate) {
    return estimate.BytesWithClosings() > kFlashBytes - kFlashBytes / 100;
}

namespace {

std::string Percent(int bytes) {
    return std::to_string((bytes * 100 + kFlashBytes / 2) / kFlashBytes) + " %";
}

std::string Plural(int count, const std::string& word) {
    return FrenchNumber(count) + " " + word + (count > 1 ? "s" : "");
}

}  // namespace

namespace {

// How the estimate stands against the flash: past it, or within the estimate's margin of it.
std::string Verdict(int bytes) {
    return bytes > kFlashBytes ? "plus que les " + FrenchNumber(kFlashBytes) + " octets"
                               : "à moins de 1 % des " + FrenchNumber(kFlashBytes) + " octets";
}

}  // namespace

std::string BudgetText(const FlashEstimate& estimate) {
    const int bytes = estimate.BytesWithClosings();
    return "Image n° " + std::to_string(estimate.Frames() + 1) + " du programme\n" +
           "Taille estimée jusqu'ici : " + FrenchNumber(bytes) + " octets sur " +
           FrenchNumber(kFlashBytes) + " de mémoire flash (" + Percent(bytes) + ")" +
           (MayNotFit(estimate) ? "\nLe programme risque de ne plus tenir dans l'ATmega8535." : "");
}

std::string OverflowQuestion(const FlashEstimate& after) {
    const int bytes = after.BytesWithClosings();
    return "L'image n° " + std::to_string(after.Frames()) + " porterait le programme à environ " +
           FrenchNumber(bytes) + " octets (fermetures comprises), " + Verdict(bytes) +
           " de mémoire flash de l'ATmega8535 : le programme risque de ne plus tenir dans le "
           "microcontrôleur, et une image écrite ne peut plus être retirée du fichier.\n\n"
           "La version compacte (ledcube-sim --compact), qui range les images dans un tableau, "
           "tiendrait encore : elle en contient jusqu'à " +
           FrenchNumber(CompactFrameLimit(after.FilledSequences())) + " avec " +
           Plural(after.FilledSequences(), "séquence") + ".\n\n"
           "Ajouter cette image quand même ?";
}

std::string FileText(const std::string& resolvedPath, int programs, bool lastUnfinished) {
    std::string text = "Fichier : " + resolvedPath;
    if (programs > 0)
        text += "\nCe fichier contient déjà " + Plural(programs, "programme") +
                " : un nouveau programme sera ajouté à la suite.";
    if (programs > 0 && lastUnfinished)
        text += "\nLe dernier programme du fichier n'est pas terminé (Finir n'a pas été cliqué) : "
                "un programme ajouté après lui ne compilera pas.";
    return text;
}

std::string ShortFrameQuestion(std::int32_t durationMs) {
    return "Une image de " + FrenchNumber(durationMs) +
           " ms dure moins d'un passage sur les trois étages (15 ms) : le cube ne l'affichera "
           "jamais, mais elle prendra quand même de la place dans la mémoire flash.\n\n"
           "Ajouter cette image quand même ?";
}

std::string UnfinishedCloseQuestion(const std::string& fileName) {
    return "Le programme de " + fileName +
           " n'est pas terminé : sans Finir, il reste inachevé dans le fichier et ne se compile "
           "pas tel quel.\n\nFermer quand même ?";
}

std::string RecordedFrameText(int number, std::int32_t durationMs) {
    const std::int32_t passes = RepeatCount(durationMs);
    return "image " + std::to_string(number) + " enregistrée (" + FrenchNumber(durationMs) +
           " ms = " + FrenchNumber(passes) + (passes > 1 || passes < -1 ? " passages" : " passage") +
           (passes <= 0 ? ", jamais affichée" : "") + ")";
}

void RecordingWorkflow::SetVisible(std::initializer_list<ControlId> ids, bool visible) {
    for (ControlId id : ids) view_.SetVisible(id, visible);
}

void RecordingWorkflow::NomfChange() {
    path_ = OutputPath::FromName(view_.GetText(ControlId::Nomf));
    ShowFileToolTip();
}

void RecordingWorkflow::ShowFileToolTip() {
    std::string text;
    std::string status;
    try {
        const auto file = ResolveOutputPath(path_);
        const int programs = CountPrograms(file);
        text = FileText(file.string(), programs, programs > 0 && LastProgramUnfinished(file));
        status = "Le programme sera écrit dans " + file.string() +
                 (programs > 0 ? ", à la suite des " + Plural(programs, "programme") + " qu'il contient."
                               : ".");
    } catch (const Exception& error) {
        text = error.Message();
        status = path_.Empty() || view_.GetText(ControlId::Nomf).empty()
                     ? "Tapez le nom du fichier, puis Commencer."
                     : error.Message();
    }
    view_.SetToolTip(ControlId::Nomf, text);
    if (stage_ == Stage::Naming) view_.ShowStatus(status);
}

void RecordingWorkflow::ShowBudget() {
    view_.SetToolTip(ControlId::Suivant, BudgetText(estimate_));
}

void RecordingWorkflow::ShowStatus(const std::string& what) {
    std::string name = path_.Text().substr(path_.Text().rfind('/') + 1);
    view_.ShowStatus(name + " — " + what + " — environ " +
                     FrenchNumber(estimate_.BytesWithClosings()) + " octets sur " +
                     FrenchNumber(kFlashBytes));
}

void RecordingWorkflow::TempsEnter() {
    if (view_.IsVisible(ControlId::Suivant)) SuivantClick();
}

void RecordingWorkflow::NomfEnter() {
    if (view_.IsVisible(ControlId::Commencer)) CommencerClick();
}

bool RecordingWorkflow::MayClose() {
    if (stage_ == Stage::Naming) return true;
    return view_.Confirm(UnfinishedCloseQuestion(path_.Text().substr(path_.Text().rfind('/') + 1)));
}

void RecordingWorkflow::CommencerClick() {
    AppendText(path_, ProgramHeader());
    estimate_.Header();
    ShowBudget();
    SetVisible(kSwitchButtons, true);
    view_.SetReadOnly(ControlId::Nomf, true);
    Show({ControlId::Label3});
    Hide({ControlId::Commencer});
    stage_ = Stage::Choosing;
    sequenceFrames_ = 0;
    ShowStatus("programme commencé : choisissez la combinaison de boutons de la première séquence");
}

void RecordingWorkflow::SwitchClick(SwitchCombination combination) {
    AppendText(path_, SwitchBlockOpen(combination));
    estimate_.Open(combination);
    ShowBudget();
    Show({ControlId::Etage1, ControlId::Etage2, ControlId::Etage3, ControlId::Temps,
          ControlId::Label1, ControlId::Label2});
    SetVisible(kSwitchButtons, false);
    Show({ControlId::Suivant, ControlId::FinirBP, ControlId::TAllumer, ControlId::TEteindre,
          ControlId::EAllumer, ControlId::EEteindre});
    Hide({ControlId::Finir, ControlId::Label3});
    stage_ = Stage::InSequence;
    sequence_ = combination;
    sequenceFrames_ = 0;
    ShowStatus(std::string("séquence ") + CombinationName(combination) + " — aucune image encore");
}

void RecordingWorkflow::SuivantClick() {
    const std::int32_t duration = FrameDuration(view_.GetText(ControlId::Temps));
    if (RepeatCount(duration) <= 0 && !view_.Confirm(ShortFrameQuestion(duration))) return;
    FlashEstimate after = estimate_;
    after.Frame(duration, cells_);
    if (!MayNotFit(estimate_) && MayNotFit(after) && !view_.Confirm(OverflowQuestion(after)))
        return;
    AppendText(path_, FrameBlock(duration, cells_));
    estimate_ = after;
    ShowBudget();
    ++sequenceFrames_;
    ShowStatus((stage_ == Stage::InSequence
                    ? std::string("séquence ") + CombinationName(sequence_)
                    : std::string("entre les séquences")) +
               " — " + RecordedFrameText(sequenceFrames_, duration));
}

void RecordingWorkflow::FinirBPClick() {
    AppendText(path_, SwitchBlockClose());
    estimate_.Close();
    ShowBudget();
    Show({ControlId::Finir});
    SetVisible(kSwitchButtons, true);
    Hide({ControlId::FinirBP});
    Show({ControlId::Label3});
    stage_ = Stage::Choosing;
    ShowStatus(std::string("séquence ") + CombinationName(sequence_) + " fermée : " +
               Plural(sequenceFrames_, "image") +
               " — choisissez la combinaison suivante, ou Finir");
    sequenceFrames_ = 0;
}

void RecordingWorkflow::FinirClick() {
    AppendText(path_, ProgramClose());
    SetVisible(kSwitchButtons, false);
    Hide({ControlId::Etage1, ControlId::Etage2, ControlId::Etage3, ControlId::Temps,
          ControlId::Label1, ControlId::Label2, ControlId::Finir, ControlId::Suivant});
    Show({ControlId::Commencer});
    Hide({ControlId::TAllumer, ControlId::TEteindre, ControlId::EAllumer, ControlId::EEteindre});
    view_.SetReadOnly(ControlId::Nomf, false);
    Hide({ControlId::Label3});
    stage_ = Stage::Naming;
    ShowFileToolTip();
    view_.ShowStatus(path_.Text().substr(path_.Text().rfind('/') + 1) + " — programme terminé : " +
                     Plural(estimate_.Frames(), "image"));
}

}  // namespace ledcube
