document.body.dataset.state = 'ready';
