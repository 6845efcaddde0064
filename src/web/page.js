// SPDX-License-Identifier: MIT
// The page around the drill's WebAssembly module: it forwards the page's events to the module's
// handlers (Form_Load once the module is ready, Command1_Click on "Чисти", Option1_Click on a
// chosen option, Option1_KeyDown for a key on an option) and shows what the module writes, through the functions below. It finds the
// controls by kind, as the page's markup written from the window's form marks them (.infobox,
// .textbox …); their texts and accessible names come from the form too, judging and numbers from
// the module. Bundled in front of the module's own loader.
var ZantrelPage = (() => {
    const drill = () => document.querySelector('main');
    const options = () => drill().querySelectorAll('input[type=radio]');
    const feedback = () => drill().querySelector('.infobox');
    let marked = false;
    // A text box shows its text, and screen readers read its own text, the same in words, instead.
    const show = (box, text, spoken) => {
        const shown = box.querySelector('.shown');
        shown.textContent = text;
        box.replaceChildren(shown, spoken);
    };

    return {
        showFeedback(text, spoken) {
            show(feedback(), text, spoken);
        },
        showExpression(text, spoken) {
            show(drill().querySelector('.textbox'), text, spoken);
        },
        // Said at once by screen readers: each message a new paragraph of the live region. Some pass
        // over a message that repeats the last one to the letter (Orca 43), so every other one ends
        // in a zero-width space, which is not heard: the same answer twice is said twice.
        announce(message) {
            const paragraph = document.createElement('p');
            marked = !marked;
            paragraph.textContent = marked ? message + '\u200b' : message;
            document.getElementById('Announcer').replaceChildren(paragraph);
        },
        deselect(index) {
            options()[index].checked = false;
        },
        // An error stopped the drill: its report stays in the feedback box, the controls go dead.
        stop(report) {
            this.showFeedback(report, report);
            feedback().setAttribute('role', 'alert');
            for (const control of drill().querySelectorAll('input, button')) {
                control.disabled = true;
            }
        },
        // Wired while the page loads: the controls stay hidden, so untouchable, until start().
        listen() {
            drill().querySelector('button').addEventListener('click', () => Module._Command1_Click());
            options().forEach((option, index) => option.addEventListener('change', () => {
                if (option.checked) {
                    Module._Option1_Click(index);
                }
            }));
            // A key on an option does what the window's keys say (the module's Option1_KeyDown):
            // an arrow chooses the previous or next option, round from the last to the first and
            // back, in every browser, and gets it judged; with a modifier held it does nothing.
            drill().addEventListener('keydown', (event) => {
                const list = [...options()];
                const from = list.indexOf(event.target);
                if (from < 0) {
                    return;
                }
                const to = Module._Option1_KeyDown(from, event.keyCode, event.shiftKey, event.ctrlKey,
                                                   event.altKey, event.metaKey);
                if (to === -2) {
                    return;
                }
                event.preventDefault();
                if (to >= 0) {
                    list[to].checked = true;
                    list[to].focus();
                    list[to].dispatchEvent(new Event('change', {bubbles: true}));
                }
            });
        },
        start() {
            Module._Form_Load();
            drill().classList.remove('loading');
            performance.mark('zantrel-exercise-shown');
            // The offline copy is made a little after the page has loaded, so that its downloads
            // keep out of the way of the first exercise, where the browser keeps one: a page served
            // over https or from this computer (not one opened from disk).
            if ('serviceWorker' in navigator && window.isSecureContext && location.protocol.startsWith('http')) {
                const register = () => setTimeout(() => navigator.serviceWorker.register('sw.js'), 500);
                if (document.readyState === 'complete') {
                    register();
                } else {
                    window.addEventListener('load', register);
                }
            }
        },
    };
})();

// The module's bytes, carried in this script as base64 (inline_page.py writes them in), compiled off
// the main thread while the page is laid out: the page never waits long on the module, and never
// fetches it (nothing can be fetched from disk). Browsers without a base64 decoder of their own
// decode it here.
Module['instantiateWasm'] = (imports, receiveInstance) => {
    const base64 = '@MODULE@';
    let bytes;
    if (Uint8Array.fromBase64) {
        bytes = Uint8Array.fromBase64(base64);
    } else {
        const text = atob(base64);
        bytes = new Uint8Array(text.length);
        for (let i = 0; i < text.length; ++i) {
            bytes[i] = text.charCodeAt(i);
        }
    }
    WebAssembly.instantiate(bytes, imports).then((result) => receiveInstance(result.instance), abort);
    return {}; // the exports come later, through receiveInstance
};

// Where the module cannot run, the page's note on what to do shows at once.
Module['onAbort'] = () => document.querySelector('main').classList.add('failed');

// Served, the page can be added to a home screen; opened from disk, it has no manifest to read.
if (location.protocol.startsWith('http')) {
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.append(manifest);
}

// The script comes after the page's controls, so they are there to be wired at once, and the drill
// starts as soon as the module is ready, without waiting for the rest of the page.
ZantrelPage.listen();
Module['onRuntimeInitialized'] = () => ZantrelPage.start();
