#pragma once
// Companion text files: "<name>.extra" beside each "<name>.dat" holds the
// texts that the 60 fixed lines have no place for (the Extras menu, status
// messages, dialog captions). One text per line, Windows-1252, in the order
// of TExtraText; the order only ever grows at its end, so an older file keeps
// working and a missing line falls back to the built-in Portuguese text.
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

class QString;

// Line n of a companion file is member n (1-based). Append new texts at the
// end only, and document them in docs/language.md.
enum class TExtraText : int {
  ExtrasMenu = 1,
  AboutDescription,
  AboutVersion,
  SavedStatus,
  SaveFailedStatus,
  SaveRefusedStatus,
  LoadedStatus,
  NoSaveStatus,
  NotASaveStatus,
  DamagedStatus,
  HighlightMarkerItem,
  MinimapItem,
  LargeMapItem,
  MouseNavigationItem,
  NewRanchItem,
  SaveToItem,
  OpenGameItem,
  UndoItem,
  RedoItem,
  DiscardQuestion,
  NewRanchStatus,
  UndoneStatus,
  RedoneStatus,
  RedoRefusedStatus,
  SaveDialogTitle,
  OpenDialogTitle,
  SaveFileFilter,
  DetailedTerrainItem,
  SoundtrackItem,
  LoadFailedStatus,
  YesButton,
  NoButton,
  ToolkitLocale,
  DraftLinesItem,
  DraftStatus,
  UnbuiltTakenStatus,
  UnbuiltMoneyStatus,
  UnbuiltBothStatus,
  LivingRanchItem,
  EcoMissingStatus,
  EcoRefusedStatus,
  EcoSaveFailedStatus,
  DryPastureNews,
  HeadLostNews,
  FundsBelowZeroNews,
  BankruptcyWarningNews,
  BankruptcyForcedSaleNews,
  ForcedSaleNews,
  MonthSummaryNews,
  GoalMetMessage,
  LostMessage,
  BuyTitle,
  SellTitle,
  EvalTitle,
  WeatherTitle,
  BooksTitle,
  BankTitle,
  MarketTitle,
  PastureColumn,
  TilesColumn,
  WaterColumn,
  RoadColumn,
  ForageDaysColumn,
  HeadColumn,
  WeightColumn,
  YesText,
  NoText,
  CalvesLabel,
  HeadToSellLabel,
  PriceLabel,
  CalfPriceLabel,
  ShrinkLabel,
  TotalLabel,
  BuyButton,
  SellButton,
  ValueLabel,
  FundsLabel,
  LoanLabel,
  HerdValueLabel,
  BuiltValueLabel,
  GoalLabel,
  GoalLeftLabel,
  GoalReachedLabel,
  FundsChartTitle,
  ForecastLabel,
  SeasonLabel,
  SummerText,
  AutumnText,
  WinterText,
  SpringText,
  SunnyText,
  PartlyCloudyText,
  CloudyText,
  RainText,
  HeavyRainText,
  GrowthColumn,
  OpeningRow,
  SalesRow,
  PurchasesRow,
  UpkeepRow,
  InterestRow,
  BuildingRow,
  BorrowedRow,
  RepaidRow,
  ClosingRow,
  MonthsTab,
  YearsTab,
  LoanMaxLabel,
  RateLabel,
  BorrowButton,
  RepayButton,
  AllHint,
  AutoRepayBox,
  PriceChartTitle,
  SeasonIndexLabel,
  NoPastureRefusal,
  NoGateRefusal,
  NoWaterRefusal,
  FundsBelowZeroRefusal,
  NotEnoughFundsRefusal,
  NotEnoughHeadRefusal,
  HerdFullRefusal,
  BadAmountRefusal,
  PastMaximumRefusal,
  MoreThanLoanRefusal,
  GameOverRefusal,
  BareGroundText,
  DirtRoadText,
  PavementText,
  SceneryText,
  TreesText,
  FenceText,
  GateText,
  DuctText,
  DuctFittingText,
  WaterText,
  BridgeText,
  CrossingText,
  HouseText,
  WaterTroughText,
  FeedTroughText,
  PlantedText,
  InspectPasture,
  RememberChoicesItem,
  ProtectGameItem,
  ChoicesRestoredStatus,
  ChoicesMissingStatus,
  ChoicesDamagedStatus,
  SaveFirstQuestion,
  CancelButton,
  RestoreAutosaveQuestion,
  AutosaveFailedStatus,
};

constexpr int ExtraTextCount = static_cast<int>(TExtraText::AutosaveFailedStatus);

// The texts of one language, as Windows-1252 bytes; index 0 holds line 1.
class TExtraTexts {
 public:
  // Starts with the built-in texts.
  TExtraTexts();

  const std::string& Text(TExtraText which) const { return texts_[Index(which)]; }
  // The text with "%1" replaced by the argument (already Windows-1252).
  std::string Format(TExtraText which, std::string_view argument) const;
  // The text with every "%1", "%2", ... replaced by the first, second, ...
  // argument, in one pass: an argument's own "%2" stays as it is. A
  // placeholder past the arguments stays too.
  std::string FormatAll(TExtraText which, std::initializer_list<std::string_view> arguments) const;

  // Takes every non-empty line of the file's bytes; lines the bytes lack, or
  // leave empty, keep the built-in text.
  void Apply(std::string_view bytes);

 private:
  static int Index(TExtraText which) { return static_cast<int>(which) - 1; }
  std::array<std::string, ExtraTextCount> texts_;
};

// The built-in Portuguese text of one line, Windows-1252.
std::string_view BuiltInExtraText(TExtraText which);

// The companion file of a language file: "portugues.dat" -> "portugues.extra".
std::string CompanionFileName(std::string_view languageFile);

// Reads a companion file; a file that cannot be opened gives the built-in
// texts. Reads at most as many lines as there are texts, however large the
// file is.
TExtraTexts ReadExtraFile(const QString& path);
