// SPDX-License-Identifier: MIT
// The page around the drill's WebAssembly module: it forwards the page's events to the module's
// handlers (Form_Load once the module is ready, Command1_Click on "Чисти", Option1_Click on a
// chosen option) and shows what the module writes. Texts, judging and numbers all come from the
// module. Bundled in front of the module's own loader.
var ZantrelPage = (() => {
    const byId = (id) => document.getElementById(id);
    const options = () => byId('Frame1').querySelectorAll('input');

    // On a screen narrower than the window, the whole window is scaled down, never reflowed.
    const fit = () => {
        const scale = Math.min(1, document.documentElement.clientWidth / 465);
        const style = byId('Zantrel').style;
        style.transform = scale < 1 ? `scale(${scale})` : '';
        style.marginBottom = scale < 1 ? `${414 * (scale - 1)}px` : ''; // the space it no longer takes
    };

    return {
        // Sets a control's text, accessible name or accessible description.
        set(id, what, text) {
            if (id === 'title') {
                document.title = text;
                return;
            }
            const element = byId(id);
            const control = element.control || element; // an option's radio input, else itself
            if (what === 'name') {
                control.setAttribute('aria-label', text);
            } else if (what === 'description') {
                byId(id + '_description').textContent = text;
            } else if (control.type === 'text') {
                control.value = text;
            } else {
                (element.querySelector('span') || element).textContent = text;
            }
        },
        deselect(index) {
            options()[index].checked = false;
        },
        // An error stopped the drill: its report stays in the feedback box, the controls go dead.
        stop(report) {
            this.set('Text1_0', 'text', report);
            byId('Text1_0').setAttribute('role', 'alert');
            for (const control of byId('Zantrel').querySelectorAll('input, button')) {
                control.disabled = true;
            }
        },
        start() {
            byId('Command1').addEventListener('click', () => Module._Command1_Click());
            options().forEach((option, index) => option.addEventListener('change', () => {
                if (option.checked) {
                    Module._Option1_Click(index);
                }
            }));
            Module._Form_Load();
            fit();
            window.addEventListener('resize', fit);
            byId('Zantrel').classList.remove('loading');
            performance.mark('zantrel-exercise-shown');
            // The offline copy is made once the exercise has been painted.
            if ('serviceWorker' in navigator) {
                requestAnimationFrame(() => setTimeout(() => navigator.serviceWorker.register('sw.js')));
            }
        },
    };
})();

// The module may be ready before the page is parsed: the script loads without waiting for it.
Module['onRuntimeInitialized'] = () => {
    if (document.readyState === 'loading') {
        document.addEventListener('DOMContentLoaded', () => ZantrelPage.start());
    } else {
        ZantrelPage.start();
    }
};
