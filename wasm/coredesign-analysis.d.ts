// The Compare Cores and Inductance Curve bindings of the WebAssembly engine
// (wasm/analysis.cpp), beside the command-line runs of coredesign-engine.d.ts
// in the same module. Each starts from a design file's text: the input
// screen as it stands, opened onto a freshly loaded screen. Every text is the
// engine's own, ready to show; every number a figure to plot.

/** A message box: its id (as the CLI's JSON names it), title, text (CR LF
 *  line breaks) and the control that takes the focus after it ("" for none). */
export interface MessageBox {
  id: string;
  title: string;
  text: string;
  focus: string;
}

/** A button: its object name, caption ("&" before the access key) and tool tip. */
export interface ButtonCaption {
  control: string;
  caption: string;
  toolTip: string;
}

/** The Compare Cores window's fixed texts. */
export interface CompareTexts {
  title: string;
  heading: string;
  familyCaption: string;
  /** cmbFamily's entries: both families, the gapped one, the no-gap one. */
  familyItems: string[];
  everyRow: string;
  cancel: ButtonCaption;
  /** Use This Design, Save Table, Refresh, Close. */
  buttons: ButtonCaption[];
  /** The column headings, a line break in some. */
  headings: string[];
  chartTitle: string;
  fitsSeries: string;
  frontSeries: string;
  picksSeries: string;
  chosenSeries: string;
  volumeAxis: string;
  lossAxis: string;
  nothingCompared: string;
  /** After a cancel, with an earlier table kept or none. */
  cancelledKept: string;
  cancelledEmpty: string;
  /** The column the table is first sorted by (ascending). */
  defaultSortColumn: number;
  /** By column: figures stand right-aligned. */
  rightAligned: boolean[];
  /** The name Save Table offers. */
  saveFile: string;
}

/** Chart points: the rows' positions in the comparison, volumes (cm³),
 *  total losses (W) and names (as the chart's tool tip names a row). */
export interface ChartPoints {
  index: number[];
  volume: number[];
  loss: number[];
  name: string[];
}

export interface TableRow {
  /** The row's position in the comparison. */
  index: number;
  /** The cells' texts, in the columns' order. */
  cells: string[];
  /** A Calculate Core pick. */
  bold: boolean;
  /** On the Pareto front. */
  shaded: boolean;
  /** Does not fit. */
  dimmed: boolean;
}

/** The rows the filters show, sorted, and the chart of the families shown. */
export interface TableView {
  rows: TableRow[];
  chart: { fitting: ChartPoints; front: ChartPoints; picks: ChartPoints };
}

/** What Use This Design takes to the input screen. */
export interface DesignChoice {
  gapped: boolean;
  partNo: string;
  stack: number;
}

/** One comparison, run a slice at a time. Call delete() when done with it. */
export interface ComparisonSession {
  /** The input checks' messages when the texts fail them (or the design
   *  file's refusal); an empty list when they compare. */
  refused(): MessageBox[];
  total(): number;
  done(): number;
  comparingText(): string;
  /** Runs up to `runs` more rows; true once the comparison is complete. */
  step(runs: number): boolean;
  complete(): boolean;
  /** "Computed for: ..." (complete comparisons only, else ""). */
  inputsText(): string;
  countText(): string;
  /** The CSV of Save Table, as coredesign-cli --explore --csv prints it. */
  csv(): string;
  /** `families`: 0 both, 1 gapped, 2 no gap. */
  view(families: number, everyRow: boolean, column: number, ascending: boolean): TableView;
  rowName(index: number): string;
  choice(index: number): DesignChoice | null;
  delete(): void;
}

export interface CurveTexts {
  title: string;
  chartTitle: string;
  operatingLabel: string;
  curveSeries: string;
  operatingSeries: string;
  enteredSeries: string;
  acceptanceSeries: string;
  dcCurrentSeries: string;
  currentAxis: string;
  inductanceAxis: string;
  permeabilityAxis: string;
  zeroCurrentNote: string;
  /** "" when the curve runs to the end. */
  limitNote: string;
  /** Save Picture's names: as PNG, and as SVG. */
  pictureFile: string;
  pictureSvgFile: string;
  dataFile: string;
  spiceFile: string;
  /** Save Picture, Save Data, Save SPICE Model, Close. */
  buttons: ButtonCaption[];
}

/** The Inductance Curve window of the design Show Results gives; only
 *  `refused` (the run's messages, or the design file's refusal) when it
 *  gives none. */
export interface CurveView {
  refused: MessageBox[];
  texts?: CurveTexts;
  /** The curve's points: currents (A) and inductances (µH). */
  current?: number[];
  inductance?: number[];
  operatingCurrent?: number;
  operatingInductance?: number;
  zeroCurrentInductance?: number;
  /** The entered inductance and 3 % below it, µH. */
  entered?: number;
  acceptance?: number;
  dcCurrent?: number;
  /** The end of the current axis: twice the peak current. */
  currentEnd?: number;
  /** Save Data's CSV (coredesign-cli --curve) and Save SPICE Model's text (--spice). */
  csv?: string;
  spice?: string;
}

export interface AnalysisBindings {
  compareTexts(): CompareTexts;
  inductanceCurveView(designText: string): CurveView;
  ComparisonSession: new (designText: string) => ComparisonSession;
}
