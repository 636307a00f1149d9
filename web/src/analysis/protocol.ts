// The messages between the analysis views and their worker
// (analysis.worker.ts). Every request carries an id; the worker's answers
// name the request they answer.
import type {
  CompareTexts,
  CurveView,
  DesignChoice,
  MessageBox,
  TableView,
} from '../../../wasm/coredesign-analysis';

export type Request =
  | { kind: 'texts'; id: number }
  | { kind: 'compare'; id: number; designText: string }
  | { kind: 'cancel'; id: number; comparison: number }
  | { kind: 'view'; id: number; comparison: number; families: number; everyRow: boolean; column: number; ascending: boolean }
  | { kind: 'csv'; id: number; comparison: number }
  | { kind: 'choice'; id: number; comparison: number; index: number }
  | { kind: 'forget'; id: number; comparison: number }
  | { kind: 'curve'; id: number; designText: string }
  // For the browser tests: hold the comparison after each slice until released.
  | { kind: 'hold'; id: number; on: boolean }
  | { kind: 'release'; id: number };

export type Answer =
  | { kind: 'texts'; id: number; texts: CompareTexts }
  | { kind: 'refused'; id: number; messages: MessageBox[] }
  | { kind: 'started'; id: number; total: number; comparingText: string }
  | { kind: 'progress'; id: number; done: number; total: number }
  | { kind: 'compared'; id: number; inputsText: string; countText: string }
  | { kind: 'cancelled'; id: number }
  | { kind: 'view'; id: number; view: TableView }
  | { kind: 'csv'; id: number; csv: string }
  | { kind: 'choice'; id: number; choice: DesignChoice | null }
  | { kind: 'curve'; id: number; view: CurveView }
  | { kind: 'done'; id: number }
  | { kind: 'failed'; id: number; reason: string };
