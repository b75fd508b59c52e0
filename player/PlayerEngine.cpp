// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerEngine.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "chip/FirmwareBuild.h"
#include "compact/CompactBuild.h"
#include "compact/LiveBuild.h"
#include "firmware/FlashEstimate.h"
#include "live/LivePort.h"
#include "pipeline/BuildPipeline.h"
#include "program/SimError.h"
#include "ui/Translations.h"

namespace ledcube::player {

namespace {

// How far the chip may run flat out to reach the frame just recorded or
// selected: three minutes of cube time, which its delay loops passed over (and
// the compact build's sleep) make quick.
constexpr std::uint64_t kMostSkipSeconds = 180;
// Changes closer together than this are read once.
constexpr int kSettleMs = 20;

// "cube.c: what happened", as the language writes it.
QString Subject(const QString& name, const QString& text) {
    return QString::fromStdString(WithSubject(name.toStdString(), text.toStdString()));
}

bool SameFrame(const program::RecordedFrame& a, const program::RecordedFrame& b) {
    return a.repeatCount == b.repeatCount && a.cells == b.cells && a.block == b.block;
}

// The first frame of `now` that `before` did not have, when the program grew by frames.
std::optional<int> FirstNewFrame(const std::optional<std::vector<program::RecordedFrame>>& before,
                                 const std::optional<std::vector<program::RecordedFrame>>& now) {
    if (!before || !now || now->size() <= before->size()) return std::nullopt;
    for (std::size_t i = 0; i < before->size(); ++i)
        if (!SameFrame((*before)[i], (*now)[i])) return std::nullopt;
    return static_cast<int>(before->size());
}

}  // namespace

QString HomeRelative(const QString& path) {
    const QString home = QDir::homePath();
    if (path.startsWith(home + QLatin1Char('/')))
        return QStringLiteral("~") + path.mid(home.size());
    return path;
}

QString NearestExistingFolder(const QString& folder) {
    QString at = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!QFileInfo(at).isDir()) {
        const QString up = QFileInfo(at).absolutePath();
        if (up == at) break;
        at = up;
    }
    return at;
}

QString WhichKeyPlaysWhat(const std::vector<program::RecordedFrame>& frames,
                          std::optional<SwitchCombination> held) {
    if (held && program::RoundPasses(frames, *held) > 0) return {};
    QStringList keys;
    for (const SwitchCombination buttons : program::ShowingCombinations(frames)) {
        const QString name = QString::fromLatin1(CombinationName(buttons));
        keys << (buttons == SwitchCombination::Aucun
                     ? PlayerEngine::tr("no key for the %1 sequence").arg(name)
                     : PlayerEngine::tr("%1 for the %2 sequence")
                           .arg(static_cast<int>(buttons) + 1)
                           .arg(name));
    }
    if (keys.isEmpty()) return PlayerEngine::tr("no recorded frame shows under any buttons");
    return PlayerEngine::tr("no sequence plays under these buttons: press %1")
        .arg(keys.join(QStringLiteral(", ")));
}

bool NewsBox::Put(const std::function<void(EngineNews&)>& change) {
    std::lock_guard lock(mutex_);
    change(news_);
    const bool wasEmpty = empty_;
    empty_ = false;
    return wasEmpty;
}

EngineNews NewsBox::Take() {
    std::lock_guard lock(mutex_);
    EngineNews news;
    std::swap(news, news_);
    empty_ = true;
    return news;
}

PlayerEngine::PlayerEngine(chip::Clock clock, QObject* parent)
    : QObject(parent), clock_(std::move(clock)) {}

PlayerEngine::~PlayerEngine() {
    // Commands posted just before the window went are dropped under the lock
    // they were posted under: the thread that deletes the engine sees them whole.
    std::lock_guard lock(postedMutex_);
    posted_.clear();
}

void PlayerEngine::MakeTimersAndWatcher() {
    // Made on the engine's own thread, where their events come.
    if (watcher_ != nullptr) return;
    watcher_ = new QFileSystemWatcher(this);
    ticker_ = new QTimer(this);
    reloadSoon_ = new QTimer(this);
    reloadSoon_->setSingleShot(true);
    reloadSoon_->setInterval(kSettleMs);
    connect(reloadSoon_, &QTimer::timeout, this, &PlayerEngine::Reload);
    connect(watcher_, &QFileSystemWatcher::fileChanged, reloadSoon_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::directoryChanged, reloadSoon_,
            qOverload<>(&QTimer::start));
    connect(ticker_, &QTimer::timeout, this, &PlayerEngine::Tick);
}

void PlayerEngine::Post(std::function<void(PlayerEngine&)> command) {
    bool wake = false;
    {
        std::lock_guard lock(postedMutex_);
        wake = posted_.empty();
        posted_.push_back(std::move(command));
    }
    // A call without arguments: what it runs crosses the threads under our lock.
    if (wake) QMetaObject::invokeMethod(this, "RunPosted", Qt::QueuedConnection);
}

void PlayerEngine::RunPosted() {
    std::vector<std::function<void(PlayerEngine&)>> commands;
    {
        std::lock_guard lock(postedMutex_);
        commands.swap(posted_);
    }
    for (const auto& command : commands) command(*this);
}

void PlayerEngine::Open(const QString& file) {
    MakeTimersAndWatcher();
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    file_ = QFileInfo(file).absoluteFilePath();
    name_ = QFileInfo(file).fileName();
    fileSeen_ = false;
    text_.reset();
    frames_.reset();
    player_.reset();
    // Another program: it plays from its start, under the user's buttons alone.
    selectedHold_.reset();
    pauseAt_.reset();
    paused_ = false;
    Reload();
}

void PlayerEngine::Reload() {
    if (file_.isEmpty()) return;
    Watch();
    const QString name = name_;
    std::string text;
    try {
        text = chip::ReadTextFile(file_.toStdString());
    } catch (const program::SimError&) {
        text_.reset();
        if (QFileInfo::exists(file_))
            Fail(Subject(name, tr("the file cannot be read; waiting for it to change")));
        else if (fileSeen_)
            Fail(Subject(name, tr("the file is gone; waiting for it to come back")));
        else
            Fail(tr("waiting for %1 to be created").arg(HomeRelative(file_)));
        return;
    }
    fileSeen_ = true;
    const QFileInfo read(file_);
    seenSize_ = read.size();
    seenModified_ = read.lastModified().toMSecsSinceEpoch();
    if (text == text_) return;
    text_ = text;
    try {
        Load(text, true);
    } catch (const std::exception& error) {
        Fail(Subject(name, QString::fromStdString(error.what())));
    }
}

void PlayerEngine::PlayText(const std::string& text, const QString& name, int edit) {
    if (edit < latestEdit_.load()) return;  // a newer edit follows
    MakeTimersAndWatcher();
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    reloadSoon_->stop();
    file_.clear();
    name_ = name;
    text_ = text;
    try {
        Load(text, false);
    } catch (const std::exception& error) {
        Fail(Subject(name, QString::fromStdString(error.what())));
    }
}

void PlayerEngine::Rebuild() {
    const std::optional<std::string> text = text_;
    frames_.reset();
    if (!file_.isEmpty()) {
        text_.reset();
        Reload();
    } else if (text) {
        PlayText(*text, name_, latestEdit_.load());
    }
}

void PlayerEngine::ShowRecordedFrame(int frame) {
    pauseAt_.reset();
    if (frame < 0 || !frames_ || frame >= static_cast<int>(frames_->size())) {
        if (!selectedHold_) return;
        selectedHold_.reset();
        ApplyButtons();
        return;
    }
    const program::RecordedFrame& recorded = (*frames_)[static_cast<std::size_t>(frame)];
    // Between the sequences a frame plays under any buttons: those held stay.
    const std::optional<SwitchCombination> now = chip::HeldCombination(
        BitsToButtons(selectedHold_ ? *selectedHold_ : ButtonsToBits(UserHeld())));
    selectedHold_ = ButtonBits(recorded.block.value_or(now.value_or(SwitchCombination::Aucun)));
    if (player_) player_->HoldButtons(BitsToButtons(*selectedHold_));
    paused_ = true;
    if (player_) {
        // A frame further away than the chip runs flat out is played up to in real time.
        if (recorded.repeatCount > 0 && !player_->RunUntilShowing(frame, MostSkipCycles())) {
            paused_ = false;
            pauseAt_ = frame;
        }
        player_->SetPaused(paused_);
    }
    ApplyButtons();
    Publish();
}

void PlayerEngine::Load(const std::string& text, bool fromFile) {
    const program::ProgramPreview preview = program::PreviewLastProgram(text);
    if (compact_ && preview.frames && !preview.warnings.empty())
        throw program::SimError(tr("the compact build needs cells of 0 and 1: %1")
                                    .arg(QString::fromStdString(preview.warnings.front()))
                                    .toStdString());
    const pipeline::BuildSource source{preview.text, preview.frames, name_.toStdString()};
    const pipeline::BuildKind kind =
        compact_ ? pipeline::BuildKind::Compact : pipeline::BuildKind::Unrolled;
    const std::string compiled = pipeline::CompiledSource(source, kind, chip_);
    // Closing a sequence or the program as the preview already did changes
    // nothing that plays: the chip plays on.
    if (!player_ || compiled != playingSource_) {
        Start(source, kind, preview.openSequence);
        playingSource_ = compiled;
    }
    frames_ = preview.frames;
    following_ = preview.openSequence;
    ApplyButtons();
    Announce(preview, fromFile ? text : std::string());
    Publish();
}

void PlayerEngine::Start(const pipeline::BuildSource& source, pipeline::BuildKind kind,
                         std::optional<SwitchCombination> openSequence) {
    pipeline::BuildPlan plan;
    plan.kind = kind;
    plan.chip = chip_;
    const pipeline::BuiltProgram built = pipeline::BuildProgram(source, plan);
    const chip::ProgramSizes& sizes = built.firmware.sizes;
    if (!sizes.Fits())
        throw program::SimError(compact_ || sizes.flash <= sizes.chip.flashBytes
                                    ? chip::NotFittingMessage(sizes)
                                    : JoinClauses(chip::NotFittingMessage(sizes),
                                                  tr("the Compact build holds up to %1 frames")
                                                      .arg(LocalNumber(CompactFrameLimit(0)))
                                                      .toStdString()));
    auto player =
        std::make_unique<chip::CubePlayer>(built.firmware.hex, source.frames, clock_, chip_);
    const std::array<bool, 3> user = UserHeld();
    const bool userHolds = user[0] || user[1] || user[2];
    const std::array<bool, 3> chipHeld =
        !userHolds && openSequence ? BitsToButtons(ButtonBits(*openSequence)) : user;
    player->HoldButtons(chipHeld);
    player->SetSpeed(speed_);
    player->SetPaused(paused_);
    // A frame just recorded is shown at once: the new build runs flat out up to it.
    const std::optional<int> added = FirstNewFrame(frames_, source.frames);
    const std::optional<SwitchCombination> held = chip::HeldCombination(chipHeld);
    if (added && (*source.frames)[*added].repeatCount > 0 && held &&
        program::PlaysUnder((*source.frames)[*added], *held))
        player->RunUntilShowing(*added, MostSkipCycles());
    player_ = std::move(player);
    playingSizes_ =
        compact_ ? tr("compact build: %1").arg(QString::fromStdString(chip::SizesLine(sizes)))
                 : QString::fromStdString(chip::SizesLine(sizes));
    if (!compact_ && source.frames && chip_ == chip::kAtmega8535)
        playingSizes_ = QString::fromStdString(
            JoinClauses(playingSizes_.toStdString(),
                        tr("compact build about %1 bytes")
                            .arg(LocalNumber(compact::CompactBytesEstimate(*source.frames)))
                            .toStdString()));
}

void PlayerEngine::Announce(const program::ProgramPreview& preview, const std::string& fileText) {
    LoadedProgram loaded{playingSizes_, QString(), preview.frames.has_value(), fileText};
    if (fileText.empty())
        loaded.where = tr("the program as edited in the player");
    else if (preview.count > 1)
        loaded.where = tr("the last of the %1 programs in the file").arg(preview.count);
    const auto add = [&loaded](const QString& note) {
        loaded.where =
            QString::fromStdString(JoinClauses(loaded.where.toStdString(), note.toStdString()));
    };
    if (preview.unfinished) add(tr("still being recorded: plays as far as it goes"));
    if (preview.tornLine)
        add(tr("its last block is cut off at line %1: the whole frames before it play")
                .arg(*preview.tornLine));
    if (!preview.warnings.empty())
        add(preview.warnings.size() == 1
                ? QString::fromStdString(preview.warnings.front())
                : tr("%1 (and %2 more such lines)")
                      .arg(QString::fromStdString(preview.warnings.front()))
                      .arg(preview.warnings.size() - 1));
    if (news_.Put([&](EngineNews& news) {
            news.loaded = loaded;
            news.problem.reset();
        }))
        emit Updated();
}

void PlayerEngine::Fail(const QString& message) {
    player_.reset();
    frames_.reset();
    if (news_.Put([&](EngineNews& news) {
            news.frame = chip::PlayerFrame{};
            news.loaded.reset();
            news.problem = message;
        }))
        emit Updated();
}

void PlayerEngine::Watch() {
    // An editor that replaces the file, or a file deleted and written again,
    // drops it from the watch: the folder is watched to see it come back. A
    // folder not made yet (the editor makes ~/D at its first write) is waited
    // for in the nearest folder that exists.
    const QString folder = NearestExistingFolder(QFileInfo(file_).absolutePath());
    for (const QString& watched : watcher_->directories())
        if (watched != folder) watcher_->removePath(watched);
    if (!watcher_->directories().contains(folder)) watcher_->addPath(folder);
    if (QFileInfo::exists(file_) && !watcher_->files().contains(file_)) watcher_->addPath(file_);
}

void PlayerEngine::SetButtons(int held) {
    held_ = BitsToButtons(held);
    ApplyButtons();
}

std::array<bool, 3> PlayerEngine::UserHeld() const {
    return BitsToButtons(ButtonsToBits(held_) | cubeHeld_);
}

void PlayerEngine::ApplyButtons() {
    const std::array<bool, 3> user = UserHeld();
    const bool userHolds = user[0] || user[1] || user[2];
    HeldButtons held;
    held.fromCube = cubeHeld_;
    held.following = !userHolds && (following_.has_value() || selectedHold_.has_value());
    held.bits = !held.following ? ButtonsToBits(user)
                : selectedHold_ ? *selectedHold_
                                : ButtonBits(*following_);
    if (held.following && selectedHold_ && pauseAt_ && frames_)
        held.says = tr("running to the selected frame (%1)…")
                        .arg(QString::fromStdString(
                            chip::DescribeShowing(chip::PlaceOf(*frames_, *pauseAt_), true)));
    else if (held.following && selectedHold_)
        held.says = tr("showing the selected frame");
    else if (held.following)
        held.says = *following_ == SwitchCombination::Aucun
                        ? tr("following the recording: no button held (Aucun sequence)")
                        : tr("following the recording: %1 held")
                              .arg(QString::fromLatin1(CombinationName(*following_)));
    if (frames_)
        held.hint = WhichKeyPlaysWhat(*frames_, chip::HeldCombination(BitsToButtons(held.bits)));
    if (player_) player_->HoldButtons(BitsToButtons(held.bits));
    if (news_.Put([&](EngineNews& news) { news.held = held; })) emit Updated();
}

void PlayerEngine::SetSpeed(double speed) {
    speed_ = speed;
    if (player_) player_->SetSpeed(speed);
}

std::uint64_t PlayerEngine::MostSkipCycles() const {
    return kMostSkipSeconds * chip_.clockHz;
}

void PlayerEngine::SetChip(const chip::Chip& chip) {
    if (chip == chip_) return;
    chip_ = chip;
    // The same program, built for the other chip: played from the start.
    playingSource_.clear();
    Rebuild();
    // The cube on the port is asked again whether it runs the live program for this chip.
    if (live_) StartLive(QString(livePort_));
}

void PlayerEngine::SetCompact(bool compact) {
    if (compact == compact_) return;
    compact_ = compact;
    // The same program, built the other way: played from the start.
    Rebuild();
}

void PlayerEngine::SetPaused(bool paused) {
    paused_ = paused;
    // Playing on lets go of the buttons held for the selected frame.
    if (!paused) pauseAt_.reset();
    if (!paused && selectedHold_) {
        selectedHold_.reset();
        ApplyButtons();
    }
    if (player_) player_->SetPaused(paused);
    Publish();
}

void PlayerEngine::Step() {
    if (!player_) return;
    player_->StepSlot();
    Publish();
}

void PlayerEngine::Tick() {
    if (reloadSoon_ != nullptr && !file_.isEmpty() && ++ticks_ % 25 == 0) {
        const QFileInfo now(file_);
        if (now.exists() &&
            (now.size() != seenSize_ || now.lastModified().toMSecsSinceEpoch() != seenModified_))
            reloadSoon_->start();
    }
    if (!player_) return;
    if (player_->Advance(pauseAt_) && pauseAt_) {
        pauseAt_.reset();
        paused_ = true;
        player_->SetPaused(true);
        ApplyButtons();
    }
    Publish();
}

void PlayerEngine::StartTicking(int intervalMs) {
    MakeTimersAndWatcher();
    tickMs_ = intervalMs;
    ticker_->start(live_ ? std::min(intervalMs, live::kLiveTickMs) : intervalMs);
}

void PlayerEngine::Publish() {
    if (!player_) return;
    const chip::PlayerFrame frame = player_->Frame();
    FeedLive(frame);
    if (news_.Put([&](EngineNews& news) { news.frame = frame; })) emit Updated();
}

void PlayerEngine::StartLive(const QString& port) {
    StopLive();
    livePort_ = port;
    live_ = std::make_unique<live::LivePort>(chip_, port, clock_);
    connect(live_.get(), &live::LivePort::Changed, this, &PlayerEngine::TellLive);
    connect(live_.get(), &live::LivePort::ButtonsReported, this, [this](int bits) {
        cubeHeld_ = bits;
        ApplyButtons();
    });
    // The cube follows the chip within a tick: the engine ticks faster while live.
    if (ticker_ != nullptr) ticker_->setInterval(std::min(tickMs_, live::kLiveTickMs));
    live_->Start();
    TellLive();
    if (player_) FeedLive(player_->Frame());
}

void PlayerEngine::StopLive() {
    if (!live_) return;
    live_.reset();
    livePort_.clear();
    if (ticker_ != nullptr) ticker_->setInterval(tickMs_);
    if (cubeHeld_ != 0) {
        cubeHeld_ = 0;
        ApplyButtons();
    }
    TellLive();
}

void PlayerEngine::TellLive() {
    LiveNews live;
    if (live_) {
        live.state = live_->Now();
        live.says = live_->Says();
        live.port = live_->Port();
    }
    if (news_.Put([&](EngineNews& news) { news.live = live; })) emit Updated();
}

void PlayerEngine::FeedLive(const chip::PlayerFrame& frame) {
    if (live_) live_->Follow(frame);
}

}  // namespace ledcube::player
