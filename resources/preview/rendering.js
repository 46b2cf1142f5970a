// Colours code, typesets math and draws diagrams in the preview. It runs in
// the application's script world (the document's own scripts stay off) with
// the bundled highlight.js, KaTeX and Mermaid, so nothing is fetched.
//
// The converters' HTML is left as the block updater parsed it: only the
// inside of a code, math or diagram element changes, never the body's list
// of top-level nodes, and nothing is added to the head (the updater compares
// both). Styles come in as constructed style sheets for the same reason.
//
// What is on screen renders first. Code and math further down render as
// they come near the view (and all at once before printing): colouring every
// block of a long document would cost seconds and hundreds of megabytes for
// blocks nobody scrolls to. Diagrams follow in small slices, one event-loop
// turn apart, so a long document never freezes the window.
if (!window.quillviewRendering) {
  window.quillviewRendering = (function () {
    'use strict';

    var done = new WeakSet();    // elements rendered already (kept across updates)
    var sheets = {};             // constructed style sheets by name
    var sheetTexts = {};         // and the text each was made from
    var pending = Promise.resolve();
    var diagramCount = 0;
    var kSlice = 24;             // elements per event-loop turn

    function isDark() {
      var scheme = getComputedStyle(document.documentElement).colorScheme || '';
      if (scheme.indexOf('dark') >= 0 && scheme.indexOf('light') < 0)
        return true;
      var colour = getComputedStyle(document.body).backgroundColor.match(/[\d.]+/g);
      if (!colour || (colour.length > 3 && Number(colour[3]) === 0))
        return false;
      return 0.2126 * colour[0] + 0.7152 * colour[1] + 0.0722 * colour[2] < 128;
    }

    function sheet(name, css) {
      if (!sheets[name]) {
        sheets[name] = new CSSStyleSheet();
        sheets[name].replaceSync(css);
        sheetTexts[name] = css;
      }
      return sheets[name];
    }

    // Adopting style sheets restyles and lays out the whole page again (for
    // a long page, seconds): a page written in parts adopts them before its
    // rest is written, and sheets adopted already are left alone.
    function adoptStyles(options) {
      if (!document.body)
        return;
      var wanted = [sheet('rendering', options.css)];
      if (isDark())
        wanted.push(sheet('dark', options.darkCss));
      if (options.mathCss)
        wanted.push(sheet('math', options.mathCss));
      else if (sheets.math)
        wanted.push(sheets.math);
      var ours = Object.keys(sheets).map(function (name) { return sheets[name]; });
      var others = document.adoptedStyleSheets.filter(function (s) { return ours.indexOf(s) < 0; });
      var adopted = others.concat(wanted);
      var same = adopted.length === document.adoptedStyleSheets.length
        && adopted.every(function (s, i) { return document.adoptedStyleSheets[i] === s; });
      if (!same)
        document.adoptedStyleSheets = adopted;
    }

    // A library the page was given but has not evaluated yet is evaluated
    // the first time it is needed.
    function library(name) {
      var waiting = window.quillviewLibraries;
      if (!window[name] && waiting && waiting[name]) {
        var load = waiting[name];
        delete waiting[name];
        load();
      }
      return window[name];
    }

    function languageOf(code) {
      var found = /(?:^|\s)language-(\S+)/.exec(code.className);
      return found ? found[1].toLowerCase() : null;
    }

    function highlightCode(code, language) {
      // Unknown languages stay plain: a guessed language's colours mislead.
      if (!library('hljs') || !hljs.getLanguage(language))
        return;
      var result = hljs.highlight(code.textContent, {language: language, ignoreIllegals: true});
      code.innerHTML = result.value;
    }

    // The converters keep the delimiters as written: $…$, $$…$$, \(…\), \[…\].
    function withoutDelimiters(written) {
      if (written.length >= 4 && /^\$\$[\s\S]*\$\$$/.test(written))
        return written.slice(2, -2);
      if (written.length >= 4 && /^\\[(\[][\s\S]*\\[)\]]$/.test(written))
        return written.slice(2, -2);
      if (written.length >= 2 && written[0] === '$' && written[written.length - 1] === '$')
        return written.slice(1, -1);
      return written;
    }

    function typesetMath(element) {
      if (!library('katex'))
        return;
      var written = element.textContent;
      var display = element.classList.contains('display');
      var tex = withoutDelimiters(written.trim());
      try {
        // To a string: the page has no doctype, and KaTeX's render() refuses
        // quirks mode, which its markup and style sheet cope with.
        element.innerHTML = katex.renderToString(tex, {displayMode: display, throwOnError: true, output: 'htmlAndMathml'});
      } catch (error) {
        // Shown as written, marked; the error tells why on hovering.
        element.textContent = written;
        element.classList.add('quillview-math-error');
        element.title = String(error && error.message ? error.message : error);
      }
    }

    function drawDiagram(pre, code, dark) {
      if (!library('mermaid'))
        return Promise.resolve();
      var source = code.textContent;
      var id = 'quillview-diagram-' + (++diagramCount);
      mermaid.initialize({startOnLoad: false, securityLevel: 'strict', theme: dark ? 'dark' : 'default'});
      return mermaid.render(id, source, pre).then(function (result) {
        var figure = document.createElement('div');
        figure.className = 'quillview-diagram';
        figure.innerHTML = result.svg;
        pre.replaceChildren(figure);
        pre.classList.add('quillview-diagram-block');
      }, function (error) {
        var stray = document.getElementById('d' + id);
        if (stray)
          stray.remove();
        var message = document.createElement('div');
        message.className = 'quillview-diagram-error';
        message.textContent = String(error && error.message ? error.message : error);
        var written = document.createElement('code');
        written.textContent = source;
        pre.replaceChildren(written, message);
      });
    }

    // The elements still to render, each with what renders it.
    function targets(options) {
      var list = [];
      var dark = isDark();
      document.querySelectorAll('code[class*="language-"]').forEach(function (code) {
        if (done.has(code))
          return;
        var language = languageOf(code);
        var pre = code.parentElement;
        if (language === 'mermaid') {
          // Without Mermaid yet the diagram waits for the call that brings it.
          var mermaidHere = window.mermaid || (window.quillviewLibraries && quillviewLibraries.mermaid);
          if (options.diagrams && mermaidHere && pre && pre.tagName === 'PRE')
            list.push({element: code, run: function () { return drawDiagram(pre, code, dark); }});
        } else if (options.code && language) {
          list.push({element: code, whenNear: true, run: function () { highlightCode(code, language); }});
        }
      });
      if (options.math)
        document.querySelectorAll('span.math').forEach(function (span) {
          // A page exported with its math typeset comes typeset already.
          if (!done.has(span) && !span.querySelector('.katex'))
            list.push({element: span, whenNear: true, run: function () { typesetMath(span); }});
        });
      return list;
    }

    // What is watched and measured for an element: its code block (the
    // pre around a code element), or the element itself.
    function blockOf(element) {
      return element.parentElement || element;
    }

    function isNearView(element) {
      var rect = blockOf(element).getBoundingClientRect();
      return rect.bottom > -window.innerHeight && rect.top < 2 * window.innerHeight;
    }

    function runAll(list) {
      var waits = [];
      list.forEach(function (target) {
        if (done.has(target.element))
          return;
        done.add(target.element);
        var result = target.run();
        if (result && result.then)
          waits.push(result);
      });
      return Promise.all(waits);
    }

    // The next event-loop turn. Not setTimeout: a page that draws no frames
    // (hidden, or offscreen) may hold its timers back without end.
    var turns = new MessageChannel();
    var turnQueue = [];
    turns.port1.onmessage = function () { turnQueue.shift()(); };
    function nextTurn(callback) {
      turnQueue.push(callback);
      turns.port2.postMessage(null);
    }

    function inSlices(list) {
      return new Promise(function (resolve) {
        var waits = [];
        (function next(from) {
          waits.push(runAll(list.slice(from, from + kSlice)));
          if (from + kSlice < list.length)
            nextTurn(function () { next(from + kSlice); });
          else
            resolve(Promise.all(waits));
        })(0);
      });
    }

    // Code and math out of view, each rendered when it comes within a screen
    // or two of the view. Printing needs them all: they render at once then
    // (both are synchronous, so the printed page has them).
    var waiting = new Map();     // watched block -> the targets inside it
    var nearView = new IntersectionObserver(function (entries) {
      var near = [];
      entries.forEach(function (entry) {
        if (entry.isIntersecting && waiting.has(entry.target)) {
          near = near.concat(waiting.get(entry.target));
          waiting.delete(entry.target);
          nearView.unobserve(entry.target);
        }
      });
      runAll(near);
    }, {rootMargin: '100% 0px 200% 0px'});

    function renderWhenNear(list) {
      nearView.disconnect();
      waiting = new Map();
      list.forEach(function (target) {
        var block = blockOf(target.element);
        if (!waiting.has(block)) {
          waiting.set(block, []);
          nearView.observe(block);
        }
        waiting.get(block).push(target);
      });
    }

    function renderAllNow() {
      nearView.disconnect();
      waiting.forEach(function (targets) { runAll(targets); });
      waiting = new Map();
    }

    // options: {code, math, diagrams, atOnce: bool; css, darkCss, mathCss: style text}.
    function render(options) {
      if (!document.body)
        return pending;
      adoptStyles(options);
      var list = targets(options);
      if (options.atOnce) {
        pending = pending.then(function () { return runAll(list); }).catch(function () {});
        return pending;
      }
      var visible = list.filter(function (target) { return isNearView(target.element); });
      var shown = new Set(visible);
      var later = list.filter(function (target) { return !shown.has(target) && !target.whenNear; });
      renderWhenNear(list.filter(function (target) { return !shown.has(target) && target.whenNear; }));
      // Again for every page: writing a page drops the window's listeners.
      window.addEventListener('beforeprint', renderAllNow);
      // Diagrams draw one after another: Mermaid keeps one set of settings.
      pending = pending.then(function () {
        return runAll(visible);
      }).then(function () {
        return inSlices(later);
      }).catch(function () {});
      return pending;
    }

    // Resolves once everything asked for so far has rendered (for printing).
    function finished() {
      return pending.then(function () { return true; });
    }

    // The text of the style sheets the page uses, for a copy of the page that
    // must carry them (exports); math's large sheet only when there is math.
    function styleText() {
      return Object.keys(sheets).filter(function (name) {
        if (document.adoptedStyleSheets.indexOf(sheets[name]) < 0)
          return false;
        return name !== 'math' || document.querySelector('.katex');
      }).map(function (name) { return sheetTexts[name]; }).join('\n');
    }

    return {render: render, adoptStyles: adoptStyles, finished: finished, styleText: styleText};
  })();
}
