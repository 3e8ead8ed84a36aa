// SPDX-License-Identifier: GPL-3.0-or-later
// Measures pages in headless Chromium, the page of the shipped template beside the plain list of
// the same links, in turns, so that both meet the same load. Prints a Markdown table of medians.
//
// Usage: node bench/page.mjs ROUNDS LINKS:PLAIN.htm:PAGE.htm...
// Environment: CHROMIUM (default /usr/bin/chromium); NAMES, the two pages' names in the table
// (default "plain,page"), when the first is another page than the plain list.
//
// Each figure is taken inside the page with its own clock (performance.now()):
// - ready: from the start of navigation to two frames after the load event;
// - first paint: the browser's first contentful paint;
// - quiet: from the start of navigation until the page has nothing left to do (the work it
//   leaves for idle time done): the start of the first of two full idle periods in a row;
// - an interaction (a typed character, clearing the filter, fold all, unfold all): from the
//   event's own time stamp to the end of the first frame that shows its result. Every frame after
//   the event is followed by a message task; the first such task that finds the result in the
//   document marks the end, since the frame before it has painted that result;
// - longest task: the longest main-thread task the browser reports after ready (long tasks are
//   those over 50 ms; "< 50" means none).
import { chromium } from "playwright-core";

const rounds = Number(process.argv[2]);
const cases = process.argv.slice(3).map((arg) => {
  const [links, plain, page] = arg.split(":");
  return { links, plain, page, runs: { plain: [], page: [] } };
});

const browserArgs = [
  "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
];

// Runs in the page before its own scripts: the clock of ready, the long tasks, and the probe
// that times one interaction.
function instrument() {
  const bench = (window.__bench = { tasks: [], ready: 0 });
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) bench.tasks.push([entry.startTime, entry.duration]);
  }).observe({ type: "longtask", buffered: true });
  addEventListener("load", () => {
    requestAnimationFrame(() => requestAnimationFrame(() => (bench.ready = performance.now())));
  });
  const channel = new MessageChannel();
  let afterFrame = null;
  channel.port1.onmessage = () => afterFrame && afterFrame();
  // Resolves with the time from the next keydown or click to the frame that shows done() true,
  // or with NaN when none shows it within a minute.
  bench.arm = (done) => {
    bench.result = new Promise((resolve) => {
      setTimeout(() => resolve(NaN), 60000);
      let start = 0;
      const begin = (event) => {
        if (start) return;
        start = event.timeStamp;
        removeEventListener("keydown", begin, true);
        removeEventListener("click", begin, true);
        const frame = () => requestAnimationFrame(() => channel.port2.postMessage(0));
        afterFrame = () => {
          if (done()) {
            afterFrame = null;
            resolve(performance.now() - start);
          } else {
            frame();
          }
        };
        frame();
      };
      addEventListener("keydown", begin, true);
      addEventListener("click", begin, true);
    });
  };
  // Resolves with the time the page began to have nothing to do: the first of two full idle
  // periods in a row; NaN when that has not come within a minute.
  bench.quiet = () => new Promise((resolve) => {
    setTimeout(() => resolve(NaN), 60000);
    let since = 0;
    const look = (deadline) => {
      const calm = deadline.timeRemaining() > 45;
      if (calm && since) return resolve(since);
      since = calm ? performance.now() : 0;
      setTimeout(() => requestIdleCallback(look), 20);
    };
    requestIdleCallback(look);
  });
}

async function interaction(page, done, act) {
  await page.evaluate(`__bench.arm(${done})`);
  await act();
  const ms = await page.evaluate("__bench.result");
  await page.evaluate("__bench.quiet()");
  return ms;
}

const statusChanged = (() => {
  let before = null;
  return {
    note: (page) => page.evaluate(() => document.getElementById("status").textContent).then((t) => (before = t)),
    test: () => `(() => document.getElementById("status").textContent !== ${JSON.stringify(before)})`,
  };
})();

async function measure(browser, file, interactive) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
  await context.addInitScript(instrument);
  const page = await context.newPage();
  await page.goto("file://" + file, { waitUntil: "load", timeout: 300000 });
  await page.waitForFunction("__bench.ready > 0", null, { timeout: 300000, polling: 50 });
  const run = await page.evaluate(() => ({
    ready: __bench.ready,
    paint: performance.getEntriesByName("first-contentful-paint")[0]?.startTime ?? NaN,
  }));
  run.quiet = await page.evaluate("__bench.quiet()");
  if (interactive) {
    await page.click("#filter");
    await page.evaluate("__bench.quiet()");
    await statusChanged.note(page);
    run.type = await interaction(page, statusChanged.test(), () => page.keyboard.press("n"));
    await statusChanged.note(page);
    run.clear = await interaction(page, statusChanged.test(), () => page.keyboard.press("Backspace"));
    const last = `(() => { const a = document.querySelectorAll("#links a"); return a[a.length - 1]; })()`;
    run.fold = await interaction(page, `() => !${last}.checkVisibility()`, () => page.click("#collapse-all"));
    run.unfold = await interaction(page, `() => ${last}.checkVisibility()`, () => page.click("#expand-all"));
  }
  run.task = await page.evaluate(() =>
    Math.max(0, ...__bench.tasks.filter(([start]) => start >= __bench.ready).map(([, d]) => d)));
  await context.close();
  return run;
}

const median = (values) => {
  const sorted = values.filter((v) => !Number.isNaN(v)).sort((a, b) => a - b);
  return sorted.length ? sorted[Math.floor((sorted.length - 1) / 2)] : NaN;
};
const ms = (v) => (Number.isNaN(v) ? "—" : Math.round(v).toString());
const task = (v) => (v < 50 ? "< 50" : Math.round(v).toString());

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  args: browserArgs,
});
for (let round = 0; round < rounds; round++) {
  for (const c of cases) {
    c.runs.plain.push(await measure(browser, c.plain, false));
    c.runs.page.push(await measure(browser, c.page, true));
    process.stderr.write(".");
  }
}
await browser.close();
process.stderr.write("\n");

const [first, second] = (process.env.NAMES || "plain,page").split(",");
console.log(`| links | ${first} ready (ms) | ${second} ready (ms) | ratio | ${first} first paint (ms) | ${second} first paint (ms) ` +
  `| ${first} quiet (ms) | ${second} quiet (ms) | typed character (ms) | clearing (ms) | fold all (ms) | unfold all (ms) ` +
  `| ${first} longest task (ms) | ${second} longest task (ms) |`);
console.log("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|");
const missed = cases.reduce((n, c) => n + c.runs.page.filter((r) =>
  ["type", "clear", "fold", "unfold", "quiet"].some((k) => Number.isNaN(r[k]))).length, 0);
for (const c of cases) {
  const of = (kind, key) => median(c.runs[kind].map((r) => r[key]));
  const ratio = median(c.runs.page.map((r, i) => r.ready / c.runs.plain[i].ready));
  console.log(`| ${c.links} | ${ms(of("plain", "ready"))} | ${ms(of("page", "ready"))} | ${ratio.toFixed(2)} ` +
    `| ${ms(of("plain", "paint"))} | ${ms(of("page", "paint"))} | ${ms(of("plain", "quiet"))} | ${ms(of("page", "quiet"))} ` +
    `| ${ms(of("page", "type"))} | ${ms(of("page", "clear"))} ` +
    `| ${ms(of("page", "fold"))} | ${ms(of("page", "unfold"))} | ${task(of("plain", "task"))} | ${task(of("page", "task"))} |`);
}
if (missed > 0) console.log(`\n${missed} round(s) had a figure that did not come within a minute; their other figures count.`);
