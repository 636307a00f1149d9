// Compare Cores and the Inductance Curve for the page: each window opens in
// `root` from the design text of the input screen as it stands (the design
// file text of DesignFileText), computed by the analysis worker.
import { showCompareCores } from './compare';
import { showInductanceCurve } from './curve';

export function openCompareCores(
  root: HTMLElement,
  designText: string,
  events: { useDesign(choice: { gapped: boolean; partNo: string; stack: number }): void; close(): void },
): void {
  void showCompareCores(root, designText, events);
}

export function openInductanceCurve(root: HTMLElement, designText: string): void {
  void showInductanceCurve(root, designText);
}
