// The browser tests' page of Compare Cores and the Inductance Curve: the
// views opened directly with a design text the test gives, and what they
// hand back to the page (Use This Design's choice, Close) written down.
import { openCompareCores, openInductanceCurve } from './index';
import { holdComparisons, releaseSlice } from './client';

const app = document.getElementById('app') as HTMLElement;
const events = document.querySelector('[data-name="events"]') as HTMLElement;

function record(line: string): void {
  events.textContent += `${line}\n`;
}

const page = {
  openCompare(designText: string): void {
    openCompareCores(app, designText, {
      useDesign: (choice) => record(`useDesign ${JSON.stringify(choice)}`),
      close: () => record('close'),
    });
  },
  openCurve(designText: string): void {
    openInductanceCurve(app, designText);
  },
  hold: holdComparisons,
  release: releaseSlice,
};

(window as unknown as { analysisTest: typeof page }).analysisTest = page;
document.body.dataset.state = 'ready';
